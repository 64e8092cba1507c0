// TTextEdit: a one-line text entry field. The edited UTF-8 text is shown through the text window,
// masked for passwords and with a blinking caret ("<cursor>" mark-up) while the field has the
// keyboard focus. Each typed change posts kTextEditChanged; Tab moves the focus along the edits of
// the dialog. Subclasses decide what may be typed through CanInsert and CheckCharacter.
#pragma once

#include <memory>
#include <vector>

#include "engine/core/base/clock.h"
#include "engine/ui/text.h"

class TTextEdit : public TText {
public:
    // What the permission hooks are asked about.
    enum TEditAction : int {
        kEditInsert = 0,
        kEditMove = 1,  // arrow keys and Backspace
        kEditEnter = 2,
        kEditTab = 3,
        kEditPaste = 4,
        kEditRefused = 5,  // a notice that an action was refused
    };
    static constexpr int kDefaultMaxLength = 10;
    static constexpr uint32_t kBlinkPeriodMs = 800;
    static constexpr uint32_t kCaretHiddenMs = 400;  // the caret shows after this much of a period
    static constexpr uint32_t kRedrawIntervalMs = 200;

    TTextEdit();
    ~TTextEdit() override;

    static TWindow* Create();
    static TClassId ClassId();
    const char* GetClassName() const override { return "TTextEdit"; }
    bool IsKindOf(TClassId id) const override { return id == ClassId() || TText::IsKindOf(id); }

    bool OnAttach() override;
    // "password", "length", "ignore", "utf8"; the label is the first text, never looked up.
    void Init(TWindowStyle& style) override;
    void Draw() override;
    bool OnAnimate() override;
    bool OnChar(uint8_t character) override;
    bool OnTextInput(TString text) override;
    bool OnKeyDown(uint8_t key, int modifiers) override;
    // The edited text; the caret goes to its end.
    void SetText(const TString& text) override;
    TString GetText() override { return text_; }

    // May the action go ahead? By default typing is limited to length - 1 bytes (characters are
    // counted by CheckCharacter in UTF-8 mode), moves and pastes are allowed, the rest refused.
    virtual bool CanInsert(int action, uint8_t character);
    // Refuses characters that no font can show and typing beyond the limit in UTF-8 mode; asks
    // CanInsert for everything else.
    virtual bool CheckCharacter(int action, uint32_t codePoint);

    void SetPassword(bool on);
    void SetUtf8(bool on) { utf8_ = on; }
    void SetIgnore(const TString& characters) { ignore_ = characters; }
    void SetEnabled(bool on) { enabled_ = on; }
    unsigned GetCaret() const { return caret_; }
    int GetMaxLength() const { return maxLength_; }

private:
    using TabGroup = std::vector<TTextEdit*>;
    friend class TextSpider;

    void JoinTabGroup();
    void FocusNextInGroup();
    void RebuildDisplay();
    void PostChanged();
    bool Backspace();
    bool TypeTab();
    bool TypeEnter();
    bool Insert(const TString& text);
    bool Paste();
    bool MoveLeft(uint8_t key);
    bool MoveRight(uint8_t key);
    bool DeleteAtCaret(uint8_t key);
    bool HasGlyph(uint32_t codePoint) const;
    TString WithoutIgnored(TString text) const;

    int maxLength_ = kDefaultMaxLength;
    std::shared_ptr<TabGroup> tabGroup_;
    TString text_;
    unsigned caret_ = 0;  // byte index, at a character boundary
    bool enabled_ = true;
    bool utf8_ = false;
    bool password_ = false;
    bool caretShown_ = false;
    TString ignore_;
    TClock caretClock_;
};
