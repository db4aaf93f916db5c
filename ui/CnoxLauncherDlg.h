// The launcher's main window: one row per product slot, kept enabled only
// while the slot's product is installed and can run here.
#pragma once

#include "framework/DialogEx.h"
#include "launch/ProductCatalogue.h"
#include "launch/TableColumn.h"
#include "ui/CParsedEdit.h"

#include <array>
#include <string>

// Template of the layout this executable shows (customer or developer edition);
// each edition's start-up code defines it.
extern const unsigned kLauncherLayoutTemplate;

class CnoxLauncherDlg : public CDialogEx<CnoxLauncherDlg> {
public:
    explicit CnoxLauncherDlg(unsigned templateId = kLauncherLayoutTemplate);
    ~CnoxLauncherDlg() override;

    static constexpr auto messageTable()
    {
        using D = CnoxLauncherDlg;
        return messageRows<D>(onMessage<WM_SYSCOMMAND>(&D::OnSysCommand), onMessage<WM_PAINT>(&D::OnPaint),
                              onMessage<WM_QUERYDRAGICON>(&D::OnQueryDragIcon),
                              onCommand(BN_CLICKED, kLaunchButtonIds, &D::OnLaunch),
                              onCommand(BN_CLICKED, kBrowseButtonIds, &D::OnBrowse),
                              onCommand(CBN_SELCHANGE, kModeComboIds, &D::OnModeChanged),
                              onCommand(BN_CLICKED, IDC_AUTO_TEST_CONFIGURE, &D::OnAutoTestConfigure),
                              onCommand(BN_CLICKED, IDC_TOOLS, &D::OnTools), onMessage<WM_TIMER>(&D::OnTimer));
    }
    BOOL OnInitDialog() override;

    // Recomputes every control's enabled state from the disk and the platform.
    void refreshControls();

private:
    static constexpr auto kLaunchButtonIds = columnOf<&ProductSlot::buttonId>(kProductSlots);
    static constexpr auto kBrowseButtonIds = columnOf<&ProductSlot::browseButtonId>(kProductSlots);
    static constexpr auto kModeComboIds = columnOf<&ProductSlot::modeComboId>(kProductSlots);

    void refreshSlotControls(const ProductSlot& slot, const std::wstring& exePath);
    void enableDialogControl(int id, bool enabled);
    void addAboutItemToSystemMenu();

    HandlerResult OnSysCommand(const Message& msg);
    HandlerResult OnPaint(const Message& msg);
    HandlerResult OnQueryDragIcon(const Message& msg);
    HandlerResult OnLaunch(const Message& msg);
    HandlerResult OnBrowse(const Message& msg);
    HandlerResult OnModeChanged(const Message& msg);
    HandlerResult OnAutoTestConfigure(const Message& msg);
    HandlerResult OnTools(const Message& msg);
    HandlerResult OnTimer(const Message& msg);

    HICON m_hIcon;
    std::array<CParsedEdit, kProductSlotCount> m_autoTestEdits;
};
