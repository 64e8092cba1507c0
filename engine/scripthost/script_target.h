// TScriptTarget: the base of every object whose member functions are bound to scripts. Scripts may
// call a bound function long after its object is gone (a closure kept in a variable, a global nobody
// rebound); each binding keeps the target's serial and asks whether it is still alive before calling.
#pragma once

#include <cstdint>

class TScriptTarget {
public:
    using Serial = uint64_t;

    // True while the target that had serial lives.
    static bool IsAlive(Serial serial);

    Serial GetScriptSerial() const { return serial_; }

protected:
    TScriptTarget();
    // A copy is an object of its own: bindings to the original do not reach it.
    TScriptTarget(const TScriptTarget&);
    TScriptTarget& operator=(const TScriptTarget&) { return *this; }
    ~TScriptTarget();

private:
    Serial serial_;
};
