#pragma once
// The statistics window: the player's and the computer's figures on two tabs and the
// computer's performance by "AI Memory" level on a third, with both overall performances
// marked on the curve. Everything is read and drawn once, when the object is made; the window
// only shows it.

#include <windows.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "ui/win/dialog_base.h"
#include "ui/win/gdi_canvas.h"
#include "profiles/clsProfiles.h"
#include "profiles/statistics_rules.h"
#include "profiles/win/statistics_graph.h"

namespace quillon::win {

class frmStatistics final : public DialogBase {
  public:
    // Form_Load's reading and drawing: the figures of both profiles, then the graph with the
    // player's ratio. Failures are reported and leave "##" or a partial picture behind.
    explicit frmStatistics(const ProfileContext& profiles);

    // Shows the window modally over hOwner until OK (or Escape) closes it.
    INT_PTR ShowModal(HINSTANCE hInstance, HWND hOwner);

  private:
    INT_PTR HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

    float ParseStats();
    void ParseGraph(float fPlayerRatio);

    void OnInitDialog();
    void ShowFigures(int k);
    void PlaceGraph();
    void SelectTab(int lTab);
    void ShowPage(int lTab);
    bool SelectTabByMnemonic(wchar_t cKey);
    void OnEraseBackground(HDC hdc) const;
    void OnDrawItem(const DRAWITEMSTRUCT& item) const;
    static LRESULT CALLBACK MnemonicProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR idSubclass, DWORD_PTR refData);

    ProfileContext m_profiles;
    std::string m_sDecimal;
    std::array<std::optional<ProfileFigures>, 2> m_figures;  // player, computer
    std::optional<MemoryCanvas> m_graph;
    HINSTANCE m_hInstance = nullptr;
    std::vector<wchar_t> m_mnemonics;  // upper-case access key of each tab
};

}  // namespace quillon::win
