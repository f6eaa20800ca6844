#pragma once

#include <string>

#include "ui/subclass.h"

namespace brindle {

// A static control drawn as a bar gauge with a status text over it: the bar covers value / maximum of the
// width, with tick marks at the tenths; text and ticks appear inverted over the bar and the background.
class GaugeStatic : public ui::SubclassedWindow {
public:
    GaugeStatic() = default;
    void SetValue(int value, int maximum) {
        value_ = value;
        maximum_ = maximum;
    }
    int Value() const { return value_; }
    int Maximum() const { return maximum_; }

    static constexpr COLORREF kBarColour = RGB(240, 240, 128);
    static constexpr COLORREF kBarLight = RGB(255, 255, 240);
    static constexpr COLORREF kBarShadow = RGB(128, 128, 16);
    static constexpr COLORREF kTickColour = RGB(16, 128, 128);

protected:
    // WM_SETTEXT keeps the text here and draws at once; WM_GETTEXT answers with it.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Draw(HDC target);
    std::string ShownText();

    int value_ = 50;
    int maximum_ = 100;
    std::string text_;
    bool hasText_ = false;
};

}  // namespace brindle
