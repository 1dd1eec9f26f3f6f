#pragma once
// The statistics window: the player's and the computer's figures on two tabs and the
// computer's performance by "AI Memory" level on a third, with both overall performances
// marked on the curve. Everything is read and drawn once, when the object is made; the window
// only shows it.

#include <windows.h>

#include <array>
#include <optional>
#include <string>

#include "profiles/clsProfiles.h"
#include "profiles/statistics_rules.h"
#include "ui/win/dialog_base.h"
#include "ui/win/gdi_canvas.h"
#include "ui/win/tab_pages.h"

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
    void OnDrawItem(const DRAWITEMSTRUCT& item) const;

    ProfileContext m_profiles;
    std::string m_sDecimal;
    std::array<std::optional<ProfileFigures>, 2> m_figures;  // player, computer
    std::optional<MemoryCanvas> m_graph;
    HINSTANCE m_hInstance = nullptr;
    TabPages m_tabs;
};

}  // namespace quillon::win
