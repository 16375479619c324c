// The application object (hidden owner window, taskbar button, message loop, cursors, default
// exception handler) and the top-level form.
#pragma once
#include "Controls.h"
#include <exception>
#include <map>
#include <memory>

class TButton;

enum class TCloseAction { None, Hide, Free };
enum class TBorderStyle { Single, Dialog };
constexpr int mrNone = 0, mrOk = 1, mrCancel = 2, mrYes = 6, mrNo = 7;
constexpr int crHandPoint = -21;  // the system's hand cursor, for links

class TForm : public TWinControl {
public:
    // A top-level window of the given class name, owned by the application window, created
    // hidden with the given client size.
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
    // Borrowed: the form does not free them. The small one shows in the caption (and the
    // notification area); without one the big one is scaled.
    void SetIcon(HICON icon, HICON small = nullptr);
    HICON Icon() const { return FIcon; }
    HICON SmallIcon() const { return FSmallIcon ? FSmallIcon : FIcon; }
    int ClientWidth() const { return FClientWidth; }
    // The form owns the controls it is given; they go, last first, before its window.
    TControl* Adopt(std::unique_ptr<TControl> control);
    template <class T> T* Find(const std::string& name) const {
        return dynamic_cast<T*>(FindControl(name));
    }
    int ClientHeight() const { return FClientHeight; }

    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void CenterOnScreen();
    int FClientWidth, FClientHeight;
    bool FModal = false;
    bool FShownOnce = false;
    HICON FIcon = nullptr;
    HICON FSmallIcon = nullptr;
    HWND FLastFocus = nullptr;
    std::vector<std::unique_ptr<TControl>> FComponents;
};

class TApplication {
public:
    TApplication() = default;
    ~TApplication();
    TApplication(const TApplication&) = delete;
    TApplication& operator=(const TApplication&) = delete;

    // Registers the window classes, loads the common controls and MAINICON, and creates the
    // application window: hidden, unowned, zero-sized, the owner of every form.
    void Initialize();
    HWND Handle() const { return FHandle; }
    HICON Icon() const { return FIcon; }
    HICON SmallIcon() const { return FSmallIcon; }  // MAINICON's own 16-pixel image
    std::wstring Title() const;
    void SetTitle(const std::wstring& title);

    // The first form created becomes the main form; closing it ends the program.
    template <class T> T* CreateForm() {
        auto form = std::make_unique<T>();
        T* p = form.get();
        FForms.push_back(std::move(form));
        if (!FMainForm) FMainForm = p;
        p->DoCreate();
        return p;
    }
    TForm* MainForm() const { return FMainForm; }
    // A form made for one use (a dialog): owned by the application window, its creation
    // handler run; the caller frees it.
    template <class T> std::unique_ptr<T> NewForm() {
        auto form = std::make_unique<T>();
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

    void Minimize();
    void Restore();

    // The numbered cursor table and the application-wide cursor (0: each control's own).
    void SetCursorImage(int index, HCURSOR cursor);
    HCURSOR CursorImage(int index) const;
    int Cursor() const { return FCursor; }
    void SetCursor(int index);

    // Shows an exception's text in a message box (caption the title, error icon, OK). Tests
    // set OnException to collect the texts instead.
    void HandleException(const std::exception& e);
    void HandleException(const std::string& message);
    std::function<void(const std::string&)> OnException;

private:
    static LRESULT CALLBACK AppProc(HWND h, UINT msg, WPARAM wp, LPARAM lp);
    bool IsKeyMessageForForm(MSG& msg);

    HWND FHandle = nullptr;
    HICON FIcon = nullptr;
    HICON FSmallIcon = nullptr;
    TForm* FMainForm = nullptr;
    std::vector<std::unique_ptr<TForm>> FForms;
    std::map<int, HCURSOR> FCursors;
    std::vector<HWND> FHiddenWithOwner;
    int FCursor = 0;
    bool FTerminated = false;
};

extern TApplication Application;
