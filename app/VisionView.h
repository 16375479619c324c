// The whole screen as a colour-blind person sees it: one still picture of every monitor, each
// pixel turned into the colour that vision sees, shown 1:1 over the virtual screen with a line
// that names the vision. Keys 1 to 5 switch the vision (正常, 红色盲, 绿色盲, 蓝色盲, 全色盲) on the
// same picture, R takes it again; Esc, a click or losing the foreground close it.
#pragma once
#include "Commands.h"
#include "colour/Contrast.h"
#include "FrozenScreen.h"
#include "Handle.h"
#include "RawWindow.h"
#include <memory>
#include <string>

class TVisionView : private TRawWindow {
public:
    TVisionView() = default;
    ~TVisionView() override { Close(); }

    // Takes the picture and shows it as Vision sees it, in front, with the keys. A picture that
    // cannot be allocated shows a message and leaves everything as it was: false. Owner: the
    // window whose DPI the line takes, and the owner of a message.
    bool Open(Contrast::TVision vision, HWND owner);
    // Shows the same picture as another vision sees it.
    void Switch(Contrast::TVision vision);
    // Hides the view, takes the picture again and shows it.
    bool Retake();
    void Close();

    using TRawWindow::IsOpen;

    // The menu entry Vision with one child for each vision; Owner gives the window Open takes.
    void AddCommands(TCommandTable& commands, std::function<HWND()> owner);

private:
    LRESULT Message(UINT msg, WPARAM wp, LPARAM lp) override;
    bool Take();
    void FreePictures();
    void Convert();
    void ShowInFront();
    void Paint(HDC dc, const RECT& dirty);
    std::wstring LineText() const;
    HWND FOwner = nullptr;
    std::unique_ptr<TFrozenScreen> FPicture;  // as taken
    std::unique_ptr<TFrozenScreen> FShown;    // as the vision sees it
    Contrast::TVision FVision = Contrast::TVision::Normal;
    POINT FLineAt{};  // the line box's top left, in the window's client coordinates
    bool FRetaking = false;
};
