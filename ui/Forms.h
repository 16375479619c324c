// The application object (hidden owner window, taskbar button, message loop, cursors, default
// exception handler) and the top-level form.
#pragma once
#include "Controls.h"
#include "Runtime.h"
#include <exception>
#include <memory>

class TButton;

enum class TCloseAction { None, Hide, Free };
enum class TBorderStyle { Single, Dialog };
constexpr int mrNone = 0, mrOk = 1, mrCancel = 2, mrYes = 6, mrNo = 7;

class TForm : public TWinControl {
public:
    // A top-level window of its own class name, owned by the application window, made hidden
    // with the given client size.
    TForm(const wchar_t* className, int clientWidth, int clientHeight,
          TBorderStyle border = TBorderStyle::Single, bool minimizeBox = true);
    ~TForm() override;

    std::function<void()> OnCreate;
    std::function<void()> OnShow;
    std::function<void(TCloseAction&)> OnClose;

    int ModalResult = mrNone;
    TButton* DefaultButton = nullptr;  // Enter; SetDefaultButton draws it as the default
    TButton* CancelButton = nullptr;   // Esc
    void SetDefaultButton(TButton* button);

    // Runs OnCreate; an exception skips the rest of it, is shown, and the form lives on.
    void DoCreate();
    void Show();
    void Hide();
    void Close();
    int ShowModal();
    bool IsModal() const { return FModal; }
    // The small one shows in the caption (and the notification area); without one the big
    // one is scaled.
    void SetIcon(TBorrowed<HICON> icon, TBorrowed<HICON> small = {});
    HICON Icon() const { return FIcon.Get(); }
    HICON SmallIcon() const { return FSmallIcon ? FSmallIcon.Get() : FIcon.Get(); }
    // The client area in physical pixels, its design size scaled to the form's DPI.
    int ClientWidth() const { return FClientWidth; }
    int ClientHeight() const { return FClientHeight; }
    // The form owns the controls it is given; they go, last first, before its window.
    TControl* Adopt(std::unique_ptr<TControl> control);
    void ChangeDpi(int dpi) override;

    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    void TakeModalResult(int result) override { ModalResult = result; }

protected:
    TCreateParams CreateParams() const override;
    // The form takes its monitor's DPI before its children's windows are made.
    void HandleCreated() override;
    // Then the controls without a text of their own are named after their labels.
    void ChildrenCreated() override;
    RECT BoundsAtDpi(int dpi) const override;
    // After a change of DPI, once the form and its controls are laid out again: what the
    // form draws or loads for a DPI of its own (images, icons).
    virtual void DpiChanged() {}

private:
    void CenterOnScreen();
    void ApplyIcons();
    std::wstring FClassName;
    DWORD FStyle, FExStyle;
    bool FDialogFrame;
    int FDesignClientWidth, FDesignClientHeight;
    int FClientWidth, FClientHeight;
    bool FModal = false;
    bool FShownOnce = false;
    TBorrowed<HICON> FIcon, FSmallIcon;
    HWND FLastFocus = nullptr;
    std::vector<std::unique_ptr<TControl>> FComponents;
};

// A form made for one use: its window goes before the object.
template <class T>
using TFormPtr = std::unique_ptr<T, TWindowDeleter>;

class TApplication {
public:
    TApplication() = default;
    ~TApplication();
    TApplication(const TApplication&) = delete;
    TApplication& operator=(const TApplication&) = delete;

    // Takes the program's description, loads the common controls and the program's icon, and
    // creates the application window: hidden, unowned, zero-sized, the owner of every form.
    void Initialize(const TProductInfo& product);
    HWND Handle() const { return FHandle; }
    HICON Icon() const { return FIcon; }
    HICON SmallIcon() const { return FSmallIcon; }  // the icon's own 16-pixel image
    std::wstring Title() const;
    void SetTitle(const std::wstring& title);

    // The first form created becomes the main form; closing it ends the program.
    template <class T> T* CreateForm() {
        TFormPtr<T> form = NewForm<T>();
        T* p = form.get();
        FForms.emplace_back(form.release());
        if (!FMainForm) FMainForm = p;
        return p;
    }
    TForm* MainForm() const { return FMainForm; }
    // A form made for one use (a dialog): the object, then its windows, then its creation
    // handler; the caller frees it.
    template <class T> TFormPtr<T> NewForm() {
        TFormPtr<T> form(new T());
        form->CreateHandle();
        form->DoCreate();
        return form;
    }
    // Ends the program's forms; used by tests to run several instances in one process.
    void DestroyForms();

    void Run();  // shows the main form, then dispatches messages until Terminate
    void Terminate();
    bool Terminated() const { return FTerminated; }
    void ProcessMessages();
    // One message: false when the queue held WM_QUIT.
    bool HandleMessage(bool wait);
    // Sees each message the loop takes before anything else does; true when it has handled
    // the message, which then goes nowhere further. What it throws is reported.
    std::function<bool(const MSG&)> OnMessage;

    void Minimize();
    void Restore();

    // The numbered cursor table and the application-wide cursor (0: each control's own).
    void SetCursorImage(int index, HCURSOR cursor) { Runtime::SetCursorImage(index, cursor); }
    HCURSOR CursorImage(int index) const { return Runtime::CursorImage(index); }
    int Cursor() const { return Runtime::Cursor(); }
    void SetCursor(int index) { Runtime::SetCursor(index); }

    // Shows an exception's text in a message box (caption the title, error icon, OK), at once
    // or, from inside a window procedure, once it has returned. Tests set OnException to
    // collect the texts instead.
    void HandleException(const std::exception& e) { Runtime::ReportException(e); }
    void HandleException(const std::string& message) { Runtime::ReportException(message); }
    std::function<void(const std::string&)>& OnException = Runtime::OnException;

private:
    static LRESULT CALLBACK AppProc(HWND h, UINT msg, WPARAM wp, LPARAM lp);
    bool IsMessageHandled(const MSG& msg);
    bool IsKeyMessageForForm(MSG& msg);

    HWND FHandle = nullptr;
    HICON FIcon = nullptr;
    HICON FSmallIcon = nullptr;
    TForm* FMainForm = nullptr;
    std::vector<TFormPtr<TForm>> FForms;
    std::vector<HWND> FHiddenWithOwner;
    bool FTerminated = false;
};

extern TApplication Application;
