#include "win32/formwindow.h"

#include "win32/diagram.h"
#include "win32/text.h"

#include <algorithm>
#include <commctrl.h>
#include <initguid.h>
#include <oleacc.h>
#include <tuple>
#include <utility>

namespace win32face {

namespace {

constexpr wchar_t windowClassName[] = L"OffsetCalculatorWindow";
constexpr int firstControlId = 100;
// Posted once the window is shown: what a screen reader is told of each
// control is set then, so that COM and the accessibility library load
// after the window is on the screen, not before.
constexpr UINT describeMessage = WM_APP + 1;
// The window: a title bar with the close box only, a fixed size.
constexpr DWORD windowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
constexpr DWORD windowExStyle = WS_EX_CONTROLPARENT;

using Kind = forms::ControlKind;

struct Made {
    const wchar_t* className;
    DWORD style;
    DWORD exStyle;
};

Made madeAs(Kind kind, HINSTANCE instance) {
    switch (kind) {
    case Kind::Label:
    case Kind::NoteLabel:
        return {L"STATIC", SS_LEFT | SS_NOPREFIX, 0};
    case Kind::ComboBox:
        return {WC_COMBOBOXW, CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP, 0};
    case Kind::TextBox:
        return {L"EDIT", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case Kind::OutputBox:
        // Read-only, yet its text can be selected and copied.
        return {L"EDIT", ES_AUTOHSCROLL | ES_READONLY | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case Kind::Button:
        return {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0};
    case Kind::Picture:
        return {Diagram::windowClass(instance), WS_TABSTOP, 0};
    case Kind::Line:
        return {L"STATIC", SS_ETCHEDHORZ, 0};
    }
    return {L"STATIC", 0, 0};
}

// The order the controls are made in, which is their order for Tab and for
// a screen reader: each box of the tab order right after its caption (how
// Windows names a box that has no name of its own), then what takes no
// focus.
std::vector<const forms::ControlEntry*> creationOrder(const forms::FormTable& form) {
    std::vector<const forms::ControlEntry*> order;
    const auto add = [&order](const forms::ControlEntry* entry) {
        if (entry != nullptr && std::find(order.begin(), order.end(), entry) == order.end()) {
            order.push_back(entry);
        }
    };
    for (const char* name : form.tabOrder) {
        const forms::ControlEntry* entry = form.find(name);
        if (entry != nullptr && entry->captionLabel != nullptr) {
            add(form.find(entry->captionLabel));
        }
        add(entry);
    }
    for (const forms::ControlEntry& entry : form.controls) {
        add(&entry);
    }
    return order;
}

} // namespace

FormWindow::FormWindow(HINSTANCE instance, std::unique_ptr<forms::Presenter> presenter,
                       std::shared_ptr<forms::Printer> printer,
                       std::chrono::milliseconds answerLimit)
    : instance_(instance), presenter_(std::move(presenter)),
      printFlow_(
          std::move(printer), waiter_,
          [] {
              wchar_t folder[MAX_PATH + 1] = {};
              const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
              return utf8(std::wstring_view(folder, length));
          }(),
          answerLimit) {
    static const bool registered = [instance] {
        WNDCLASSEXW type{};
        type.cbSize = sizeof type;
        type.lpfnWndProc = windowProc;
        type.hInstance = instance;
        type.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
        type.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                     GetSystemMetrics(SM_CXSMICON),
                                                     GetSystemMetrics(SM_CYSMICON), 0));
        type.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512) /* IDC_ARROW */);
        type.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        type.lpszClassName = windowClassName;
        return RegisterClassExW(&type) != 0;
    }();
    (void)registered;

    const forms::FormTable& form = presenter_->form();
    for (const forms::ControlEntry& entry : form.controls) {
        if (entry.kind == Kind::Picture) {
            diagram_ = std::make_unique<Diagram>(instance_, entry.text);
        }
    }
    window_ =
        CreateWindowExW(windowExStyle, windowClassName, wide(form.caption).c_str(), windowStyle,
                        CW_USEDEFAULT, CW_USEDEFAULT, 100, 100, nullptr, nullptr, instance_, this);
    if (window_ == nullptr) {
        return;
    }
    dpi_ = GetDpiForWindow(window_);
    makeFonts();
    createControls();
    layOut();
}

FormWindow::~FormWindow() {
    if (accessibility_ != nullptr) {
        accessibility_->Release();
    }
    if (window_ != nullptr) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
    if (dialogFont_ != nullptr) {
        DeleteObject(dialogFont_);
    }
    if (noteFont_ != nullptr) {
        DeleteObject(noteFont_);
    }
}

std::string FormWindow::decimalSeparator() {
    wchar_t separator[8] = {};
    if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8) == 0) {
        return ".";
    }
    return utf8(separator);
}

void FormWindow::load() {
    carryOut(presenter_->load());
}

int FormWindow::run() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (window_ == nullptr || !IsDialogMessageW(window_, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        followFocus();
    }
    return int(message.wParam);
}

void FormWindow::createControls() {
    const forms::FormTable& form = presenter_->form();
    for (const forms::ControlEntry* entry : creationOrder(form)) {
        const Made made = madeAs(entry->kind, instance_);
        const int id = firstControlId + int(entry - form.controls.data());
        const bool hasText = entry->kind != Kind::Picture && entry->kind != Kind::Line;
        HWND control =
            CreateWindowExW(made.exStyle, made.className, hasText ? wide(entry->text).c_str() : L"",
                            made.style | WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, window_,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_,
                            entry->kind == Kind::Picture ? diagram_.get() : nullptr);
        controls_.push_back({entry, control});
    }
    if (form.closeButton != nullptr) {
        if (Control* closer = control(form.closeButton)) {
            waiter_.letThrough(closer->window);
        }
    }
}

void FormWindow::makeFonts() {
    if (dialogFont_ != nullptr) {
        DeleteObject(dialogFont_);
    }
    if (noteFont_ != nullptr) {
        DeleteObject(noteFont_);
    }
    // The system's dialog font, at this window's DPI.
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi_);
    dialogFont_ = CreateFontIndirectW(&metrics.lfMessageFont);
    // The notes: Times New Roman at 8.25 points, the half pixel it comes to
    // at 150 % rounded down, as the notes are laid out for.
    noteFont_ = CreateFontW(-int(825 * dpi_ / 7200), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                            DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                            DEFAULT_QUALITY, VARIABLE_PITCH | FF_ROMAN, L"Times New Roman");
}

void FormWindow::layOut() {
    const forms::FormTable& form = presenter_->form();
    const int contentWidth = px(form.clientWidth);
    const int contentHeight = px(form.clientHeight);
    RECT frame{0, 0, contentWidth, contentHeight};
    AdjustWindowRectExForDpi(&frame, windowStyle, FALSE, windowExStyle, dpi_);
    int width = int(frame.right - frame.left);
    int height = int(frame.bottom - frame.top);

    // A laptop of 1366 x 768 at 150 % has room for less than the window.
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTONEAREST), &monitor);
    const int workWidth = int(monitor.rcWork.right - monitor.rcWork.left);
    const int workHeight = int(monitor.rcWork.bottom - monitor.rcWork.top);
    const int barWidth = GetSystemMetricsForDpi(SM_CXVSCROLL, dpi_);
    const int barHeight = GetSystemMetricsForDpi(SM_CYHSCROLL, dpi_);
    bool vertical = height > workHeight;
    const bool horizontal = width + (vertical ? barWidth : 0) > workWidth;
    vertical = vertical || height + (horizontal ? barHeight : 0) > workHeight;
    DWORD style = windowStyle;
    if (vertical) {
        style |= WS_VSCROLL;
        width += barWidth;
    }
    if (horizontal) {
        style |= WS_HSCROLL;
        height += barHeight;
    }
    const LONG_PTR visible = GetWindowLongPtrW(window_, GWL_STYLE) & WS_VISIBLE;
    SetWindowLongPtrW(window_, GWL_STYLE, LONG_PTR(style) | visible);
    SetWindowPos(window_, nullptr, 0, 0, std::min(width, workWidth), std::min(height, workHeight),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);

    scroll_ = {0, 0};
    RECT client{};
    GetClientRect(window_, &client);
    for (const auto& [bar, content, page] :
         {std::tuple{SB_HORZ, contentWidth, int(client.right)},
          std::tuple{SB_VERT, contentHeight, int(client.bottom)}}) {
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        info.nMax = content - 1;
        info.nPage = UINT(page);
        SetScrollInfo(window_, bar, &info, TRUE);
    }

    for (const Control& control : controls_) {
        const forms::ControlEntry& entry = *control.entry;
        int controlHeight = px(entry.height);
        if (entry.kind == Kind::Line) {
            controlHeight = 2; // an etched line is two pixels at any scale
        } else if (entry.kind == Kind::ComboBox) {
            controlHeight += px(entry.height) * 8; // with room for the open list
        }
        SetWindowPos(control.window, nullptr, px(entry.left), px(entry.top), px(entry.width),
                     controlHeight, SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(control.window, WM_SETFONT,
                     WPARAM(entry.kind == Kind::NoteLabel ? noteFont_ : dialogFont_), TRUE);
    }
}

void FormWindow::scrollBy(int dx, int dy) {
    POINT wanted{scroll_.x + dx, scroll_.y + dy};
    for (auto [bar, at] : {std::pair{SB_HORZ, &wanted.x}, std::pair{SB_VERT, &wanted.y}}) {
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_RANGE | SIF_PAGE;
        GetScrollInfo(window_, bar, &info);
        const int last = std::max(0, info.nMax - int(info.nPage) + 1);
        *at = std::clamp(int(*at), 0, last);
    }
    if (wanted.x == scroll_.x && wanted.y == scroll_.y) {
        return;
    }
    ScrollWindowEx(window_, scroll_.x - wanted.x, scroll_.y - wanted.y, nullptr, nullptr, nullptr,
                   nullptr, SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
    scroll_ = wanted;
    SetScrollPos(window_, SB_HORZ, scroll_.x, TRUE);
    SetScrollPos(window_, SB_VERT, scroll_.y, TRUE);
}

void FormWindow::scrolled(int bar, int request) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(window_, bar, &info);
    const int line = px(240);
    int to = info.nPos;
    switch (request) {
    case SB_LINEUP:
        to -= line;
        break;
    case SB_LINEDOWN:
        to += line;
        break;
    case SB_PAGEUP:
        to -= int(info.nPage);
        break;
    case SB_PAGEDOWN:
        to += int(info.nPage);
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        to = info.nTrackPos;
        break;
    case SB_TOP:
        to = 0;
        break;
    case SB_BOTTOM:
        to = info.nMax;
        break;
    default:
        return;
    }
    if (bar == SB_HORZ) {
        scrollBy(to - scroll_.x, 0);
    } else {
        scrollBy(0, to - scroll_.y);
    }
}

void FormWindow::followFocus() {
    HWND focus = GetFocus();
    if (focus == focus_ || window_ == nullptr) {
        return;
    }
    focus_ = focus;
    // The control itself, not the edit part inside a combo box.
    while (focus != nullptr && GetParent(focus) != window_) {
        focus = GetParent(focus);
    }
    const Control* control = focus != nullptr ? controlOf(focus) : nullptr;
    if (control == nullptr) {
        return;
    }
    const forms::ControlEntry& entry = *control->entry;
    RECT client{};
    GetClientRect(window_, &client);
    const int left = px(entry.left) - scroll_.x;
    const int top = px(entry.top) - scroll_.y;
    const int right = left + px(entry.width);
    const int bottom = top + px(entry.height);
    int dx = 0;
    int dy = 0;
    if (left < 0 || right > client.right) {
        dx = left < 0 ? left : std::min(left, right - int(client.right));
    }
    if (top < 0 || bottom > client.bottom) {
        dy = top < 0 ? top : std::min(top, bottom - int(client.bottom));
    }
    scrollBy(dx, dy);
}

void FormWindow::describeForScreenReaders() {
    if (accessibility_ != nullptr ||
        FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IAccPropServices, reinterpret_cast<void**>(&accessibility_)))) {
        return;
    }
    const forms::FormTable& form = presenter_->form();
    for (const Control& control : controls_) {
        const std::string name = forms::spokenNameOf(form, *control.entry);
        if (!name.empty()) {
            accessibility_->SetHwndPropStr(control.window, DWORD(OBJID_CLIENT), CHILDID_SELF,
                                           PROPID_ACC_NAME, wide(name).c_str());
        }
        if (control.entry->description != nullptr) {
            accessibility_->SetHwndPropStr(control.window, DWORD(OBJID_CLIENT), CHILDID_SELF,
                                           PROPID_ACC_DESCRIPTION,
                                           wide(control.entry->description).c_str());
        }
    }
}

void FormWindow::tellResults(const forms::TellResults& tell) {
    Control* button = control(tell.button);
    if (button == nullptr) {
        return;
    }
    // The button that asked tells the results ahead of what it does, read
    // whenever it has the focus; the change is announced to whoever listens.
    describeForScreenReaders();
    if (accessibility_ != nullptr) {
        accessibility_->SetHwndPropStr(button->window, DWORD(OBJID_CLIENT), CHILDID_SELF,
                                       PROPID_ACC_DESCRIPTION, wide(tell.description).c_str());
    }
    NotifyWinEvent(EVENT_OBJECT_DESCRIPTIONCHANGE, button->window, OBJID_CLIENT, CHILDID_SELF);
}

FormWindow::Control* FormWindow::control(std::string_view name) {
    for (Control& control : controls_) {
        if (name == control.entry->name) {
            return &control;
        }
    }
    return nullptr;
}

FormWindow::Control* FormWindow::controlOf(HWND window) {
    for (Control& control : controls_) {
        if (control.window == window) {
            return &control;
        }
    }
    return nullptr;
}

forms::Shown FormWindow::shown() const {
    forms::Shown texts;
    for (const Control& control : controls_) {
        switch (control.entry->kind) {
        case Kind::ComboBox:
        case Kind::TextBox:
        case Kind::OutputBox:
            texts.emplace(control.entry->name, windowText(control.window));
            break;
        default:
            break;
        }
    }
    return texts;
}

LRESULT CALLBACK FormWindow::windowProc(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<FormWindow*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcW(window, message, w, l);
    }
    return self->handle(message, w, l);
}

LRESULT FormWindow::handle(UINT message, WPARAM w, LPARAM l) {
    switch (message) {
    case WM_COMMAND:
        // IDOK and IDCANCEL, which the dialog manager sends for Enter and
        // Escape, press nothing here.
        if (Control* source = controlOf(reinterpret_cast<HWND>(l))) {
            command(*source, HIWORD(w));
        }
        return 0;
    case WM_CTLCOLORSTATIC:
        // Captions and notes are drawn over the window's own background, as
        // the table lays them: a caption may run over the line beside it. A
        // read-only box asks too, and keeps its own look.
        if (const Control* source = controlOf(reinterpret_cast<HWND>(l));
            source != nullptr &&
            (source->entry->kind == Kind::Label || source->entry->kind == Kind::NoteLabel)) {
            SetBkMode(reinterpret_cast<HDC>(w), TRANSPARENT);
            return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
        }
        break;
    case WM_CLOSE: {
        const forms::Answer answer = presenter_->close();
        carryOut(answer);
        return 0;
    }
    case describeMessage:
        describeForScreenReaders();
        return 0;
    case WM_VSCROLL:
    case WM_HSCROLL:
        scrolled(message == WM_VSCROLL ? SB_VERT : SB_HORZ, LOWORD(w));
        return 0;
    case WM_MOUSEWHEEL:
        scrollBy(0, -MulDiv(GET_WHEEL_DELTA_WPARAM(w), px(240), WHEEL_DELTA));
        return 0;
    case WM_DESTROY:
        window_ = nullptr;
        PostQuitMessage(0);
        return 0;
    case WM_DPICHANGED: {
        dpi_ = HIWORD(w);
        makeFonts();
        layOut();
        // Where Windows suggests; the size is the table's at the new DPI,
        // fitted to that screen.
        const RECT* suggested = reinterpret_cast<const RECT*>(l);
        SetWindowPos(window_, nullptr, suggested->left, suggested->top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        InvalidateRect(window_, nullptr, TRUE);
        return 0;
    }
    default:
        break;
    }
    return DefWindowProcW(window_, message, w, l);
}

void FormWindow::command(Control& control, int code) {
    switch (control.entry->kind) {
    case Kind::Button:
        if (code == BN_CLICKED) {
            carryOut(presenter_->click(control.entry->name, shown()));
        }
        break;
    case Kind::ComboBox: {
        // Only a pick counts: a choice in the open list, or the arrow keys on
        // the closed box; typed text never does.
        const int index = int(SendMessageW(control.window, CB_GETCURSEL, 0, 0));
        switch (code) {
        case CBN_DROPDOWN:
            control.dropped = true;
            control.pickedWhileOpen = -1;
            break;
        case CBN_CLOSEUP:
            control.dropped = false;
            break;
        case CBN_SELENDOK:
            if (control.dropped && index >= 0) {
                control.pickedWhileOpen = index;
                pick(control, index);
            }
            break;
        case CBN_SELCHANGE:
            if (!control.dropped && index >= 0) {
                // The change a list pick brings after the list closed was
                // counted already.
                if (index == control.pickedWhileOpen) {
                    control.pickedWhileOpen = -1;
                } else {
                    pick(control, index);
                }
            }
            break;
        default:
            break;
        }
        break;
    }
    default:
        break;
    }
}

void FormWindow::pick(Control& control, int index) {
    const LRESULT length = SendMessageW(control.window, CB_GETLBTEXTLEN, WPARAM(index), 0);
    if (length == CB_ERR) {
        return;
    }
    std::wstring item(std::size_t(length) + 1, L'\0');
    SendMessageW(control.window, CB_GETLBTEXT, WPARAM(index),
                 reinterpret_cast<LPARAM>(item.data()));
    item.resize(std::size_t(length));
    carryOut(presenter_->pick(control.entry->name, utf8(item)));
}

void FormWindow::carryOut(const forms::Answer& answer) {
    for (const forms::Action& action : answer) {
        carryOut(action);
    }
}

void FormWindow::carryOut(const forms::Action& action) {
    struct Carrier {
        FormWindow& window;

        void operator()(const forms::SetText& set) const {
            if (Control* control = window.control(set.control)) {
                SetWindowTextW(control->window, wide(set.text).c_str());
            }
        }
        void operator()(const forms::FillList& fill) const {
            Control* control = window.control(fill.control);
            if (control == nullptr) {
                return;
            }
            SendMessageW(control->window, CB_RESETCONTENT, 0, 0);
            for (const std::string& item : fill.items) {
                SendMessageW(control->window, CB_ADDSTRING, 0,
                             reinterpret_cast<LPARAM>(wide(item).c_str()));
            }
            SendMessageW(control->window, CB_SETCURSEL, WPARAM(-1), 0);
            SetWindowTextW(control->window, wide(fill.text).c_str());
        }
        void operator()(const forms::Enable& enable) const {
            if (Control* control = window.control(enable.control)) {
                EnableWindow(control->window, enable.enabled ? TRUE : FALSE);
            }
        }
        void operator()(const forms::ShowMessage& message) const {
            MessageBoxW(window.window_, wide(message.prompt).c_str(), wide(message.title).c_str(),
                        MB_OK);
        }
        void operator()(const forms::TellResults& tell) const { window.tellResults(tell); }
        void operator()(const forms::ShowWindow& show) const { window.showAndFocus(show.focus); }
        void operator()(const forms::PrintReport& report) const {
            window.carryOut(window.presenter_->printed(
                window.printFlow_.printReport(report.text, report.family, report.pointSize)));
        }
        void operator()(const forms::PrintWindowImage&) const {
            forms::PrintOutcome outcome = forms::PrintOutcome::Failed;
            try {
                const forms::FormTable& form = window.presenter_->form();
                outcome = window.printFlow_.printImage(windowImage(
                    window.window_, {window.px(form.clientWidth), window.px(form.clientHeight)},
                    window.scroll_));
            } catch (const std::bad_alloc&) {
                // Too little memory for the image: not printed, the program
                // goes on.
            }
            window.carryOut(window.presenter_->printed(outcome));
        }
        void operator()(const forms::End&) const {
            if (window.window_ != nullptr) {
                DestroyWindow(window.window_);
            }
        }
    };
    std::visit(Carrier{*this}, action);
}

void FormWindow::showAndFocus(const std::string& focus) {
    // Centred on the work area of the screen it is on.
    RECT frame{};
    GetWindowRect(window_, &frame);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    const int width = int(frame.right - frame.left);
    const int height = int(frame.bottom - frame.top);
    SetWindowPos(window_, nullptr,
                 int(work.left) + std::max(0, int(work.right - work.left - width) / 2),
                 int(work.top) + std::max(0, int(work.bottom - work.top - height) / 2), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER);
    ShowWindow(window_, SW_SHOWNORMAL);
    UpdateWindow(window_);
    PostMessageW(window_, describeMessage, 0, 0);
    if (Control* control = this->control(focus)) {
        SetFocus(control->window);
    }
}

} // namespace win32face
