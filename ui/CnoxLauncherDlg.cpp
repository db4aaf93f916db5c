#include "ui/CnoxLauncherDlg.h"

#include "framework/FileSystem.h"
#include "launch/PlatformProbe.h"
#include "launch/ProductLaunch.h"
#include "launch/WindowsToolPlatform.h"
#include "launch/WindowsInstallQueries.h"
#include "ui/AutoTestBrowse.h"
#include "ui/CAboutDlg.h"
#include "ui/CKestrovaToolsDialog.h"
#include "ui/EnablingRule.h"

namespace {

constexpr UINT_PTR kRefreshTimerId = 1;
constexpr UINT kRefreshPeriodMs = 100;
constexpr unsigned kPathParseStyle = 14;  // everything but <>"|
constexpr int kGeneralControls[] = {IDC_AUTO_TEST_CONFIGURE, IDOK, IDCANCEL, IDC_HELP_SWITCH};

template <int ProductSlot::*Id>
const ProductSlot* slotWith(int controlId)
{
    for (const auto& slot : kProductSlots)
        if (slot.*Id == controlId)
            return &slot;
    return nullptr;
}

}  // namespace

CnoxLauncherDlg::CnoxLauncherDlg(unsigned templateId)
    : CDialogEx(templateId),
      m_hIcon(LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME)))
{
}

CnoxLauncherDlg::~CnoxLauncherDlg() = default;

BOOL CnoxLauncherDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    addAboutItemToSystemMenu();
    SendMessageW(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessageW(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));

    for (std::size_t i = 0; i < kProductSlotCount; ++i) {
        m_autoTestEdits[i].parseStyle = kPathParseStyle;
        if (HWND field = GetDlgItem(kProductSlots[i].autoTestEditId))
            m_autoTestEdits[i].SubclassWindow(field);
    }
    for (const auto& slot : kProductSlots)
        if (HWND modeBox = GetDlgItem(slot.modeComboId))
            fillModeCombo(modeBox);

    refreshControls();
    SetTimer(m_hWnd, kRefreshTimerId, kRefreshPeriodMs, nullptr);
    return TRUE;
}

void CnoxLauncherDlg::addAboutItemToSystemMenu()
{
    HMENU systemMenu = GetSystemMenu(m_hWnd, FALSE);
    if (!systemMenu)
        return;
    // LoadStringW with a zero buffer size hands out a read-only pointer to the
    // resource text itself, which is not terminated.
    const wchar_t* text = nullptr;
    const int length = LoadStringW(GetModuleHandleW(nullptr), IDS_ABOUTBOX, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0)
        return;
    const std::wstring aboutText(text, static_cast<std::size_t>(length));
    AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(systemMenu, MF_STRING, IDM_ABOUTBOX, aboutText.c_str());
}

void CnoxLauncherDlg::refreshControls()
{
    for (int id : kGeneralControls)
        enableDialogControl(id, true);
    for (const auto& slot : kProductSlots)
        refreshSlotControls(slot, getProductExePath(slot));
}

void CnoxLauncherDlg::refreshSlotControls(const ProductSlot& slot, const std::wstring& exePath)
{
    SlotFacts facts{};
    facts.installed = pathExists(exePath);
    facts.is64Bit = slot.is64Bit;
    facts.underWow64 = facts.installed && slot.is64Bit && isWow64();  // asked afresh, never kept
    const HWND modeBox = GetDlgItem(slot.modeComboId);  // one look-up serves the presence and the code
    facts.modeBoxPresent = modeBox != nullptr;
    facts.modeCode = modeBox ? selectedModeCodeOf(modeBox).value_or(0) : 0;  // no selection counts as Normal

    const SlotEnabling enabling = decideSlotEnabling(facts);
    if (enabling.touchAutoTest) {
        enableDialogControl(slot.autoTestEditId, enabling.autoTest);
        enableDialogControl(slot.browseButtonId, enabling.autoTest);
    }
    enableDialogControl(slot.modeComboId, enabling.row);
    enableDialogControl(slot.buttonId, enabling.row);
    enableDialogControl(slot.injectCheckId, enabling.row);
}

void CnoxLauncherDlg::enableDialogControl(int id, bool enabled)
{
    HWND control = GetDlgItem(id);
    if (!control)
        return;
    ::EnableWindow(control, enabled);
    // Repaint now: the refresh runs ten times a second and must show at once.
    ::InvalidateRect(control, nullptr, FALSE);
    ::UpdateWindow(control);
}

HandlerResult CnoxLauncherDlg::OnSysCommand(const Message& msg)
{
    if (msg.systemCommand() != IDM_ABOUTBOX)
        return std::nullopt;
    CAboutDlg about;
    about.DoModal();
    return 0;
}

HandlerResult CnoxLauncherDlg::OnPaint(const Message&)
{
    if (!IsIconic(m_hWnd))
        return std::nullopt;  // the dialog's own painting
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(m_hWnd, &paint);
    SendMessageW(m_hWnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    const int iconWidth = GetSystemMetrics(SM_CXICON);
    const int iconHeight = GetSystemMetrics(SM_CYICON);
    RECT client;
    GetClientRect(m_hWnd, &client);
    const int x = (client.right - client.left - iconWidth + 1) / 2;
    const int y = (client.bottom - client.top - iconHeight + 1) / 2;
    DrawIcon(dc, x, y, m_hIcon);
    EndPaint(m_hWnd, &paint);
    return 0;
}

HandlerResult CnoxLauncherDlg::OnQueryDragIcon(const Message&)
{
    return reinterpret_cast<LRESULT>(m_hIcon);
}

HandlerResult CnoxLauncherDlg::OnLaunch(const Message& msg)
{
    const ProductSlot* slot = slotWith<&ProductSlot::buttonId>(static_cast<int>(msg.commandId()));
    if (!slot)
        return std::nullopt;
    launchProduct(m_hWnd, getProductExePath(*slot), slot->modeComboId, slot->injectCheckId);
    return 0;
}

HandlerResult CnoxLauncherDlg::OnBrowse(const Message& msg)
{
    const ProductSlot* slot = slotWith<&ProductSlot::browseButtonId>(static_cast<int>(msg.commandId()));
    if (!slot)
        return std::nullopt;
    CParsedEdit& field = m_autoTestEdits[static_cast<std::size_t>(slot - kProductSlots.data())];
    if (field.GetSafeHwnd())  // attached only where the layout has the field
        BrowseForAutoTestFile(field, *this, [this] { refreshControls(); });
    return 0;
}

HandlerResult CnoxLauncherDlg::OnModeChanged(const Message&)
{
    refreshControls();
    return 0;
}

HandlerResult CnoxLauncherDlg::OnAutoTestConfigure(const Message&)
{
    LaunchAutoTestConfigure();
    return 0;
}

HandlerResult CnoxLauncherDlg::OnTools(const Message&)
{
    CKestrovaToolsDialog tools(this);
    tools.DoModal();
    return 0;
}

HandlerResult CnoxLauncherDlg::OnTimer(const Message&)
{
    refreshControls();
    return 0;
}
