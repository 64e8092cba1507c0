// TCustomTextEdit: the game's text entry field, made by the scripts' "TextEdit" in place of the
// framework's own. It can hold an initial text that goes away at the first click or key
// ("clearinitial"), and it shows the window named by "enablewindow" (typically the button that
// confirms the name) only while the field holds at least one character.
#pragma once

#include "engine/ui/text_edit.h"

class TCustomTextEdit : public TTextEdit {
public:
    static TWindow* Create();
    static TClassId ClassId();
    const char* GetClassName() const override { return "TCustomTextEdit"; }
    bool IsKindOf(TClassId id) const override { return id == ClassId() || TTextEdit::IsKindOf(id); }

    // "clearinitial" (false), "enablewindow" (""), then the text edit's own attributes.
    void Init(TWindowStyle& style) override;
    // The first click only removes the initial text.
    bool OnMouseUp(TPoint point) override;
    // Every edit first removes the initial text; typing and backspace then show or hide the enable
    // window by the length the text will have.
    bool CanInsert(int action, uint8_t character) override;
    bool CheckCharacter(int action, uint32_t codePoint) override;

    bool IsCleared() const { return cleared_; }

private:
    void ClearInitialText();
    // Shown when the text's length plus change is at least 1, else hidden.
    void UpdateEnableWindow(int change);

    bool cleared_ = true;
    TString enableWindowName_;
};
