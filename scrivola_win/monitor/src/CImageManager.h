#pragma once
// "Directory Monitor Tool": the list of monitor pairs with Add, Delete and
// Modify, and whether originals are deleted after conversion. The list is a
// working copy until the sheet's OK stores it.
#include <functional>
#include <optional>

#include "MonitorPairList.h"
#include "monitor/MonitorPair.h"
#include "pages/CPropertyPage.h"
#include "settings/SettingsRecords.h"

class CSortListCtrl;
class QCheckBox;

namespace monitor {

// Edits a pair in a modal dialog: (owner, pair shown) gives the pair as OK
// left it, or nothing when cancelled.
using PairEditor = std::function<std::optional<MonitorPair>(QWidget*, const MonitorPair&)>;

// The "Setting" dialog.
std::optional<MonitorPair> EditPairInDialog(QWidget* owner, const MonitorPair& pair);

class CImageManager : public CPropertyPage {
  public:
    static constexpr int kTemplateId = 1016;
    static constexpr int kAddId = 1012;
    static constexpr int kDeleteId = 1014;
    static constexpr int kModifyId = 1015;
    static constexpr int kListId = 1016;
    static constexpr int kEraseCheckId = 1038;

    explicit CImageManager(PairEditor editPair = &EditPairInDialog);

    void OnAdd();
    void OnDelete();
    void OnModify();
    // The sheet's OK: stores the list and the delete-originals choice.
    void OnOK() override;

    const MonitorPairList& WorkingList() const { return m_pairs; }
    CSortListCtrl* List() const { return m_list; }

  protected:
    void CreateControls(const DialogUnits& units) override;
    void OnInitDialog() override;
    void DoDataExchange(bool saveAndValidate) override;

  private:
    void AppendRow(const MonitorPair& pair);

    PairEditor m_editPair;
    MonitorPairList m_pairs;
    scrivola_win::MonitorOptionRecord m_option;
    int m_averageCharWidth = 0;
    CSortListCtrl* m_list = nullptr;
    QCheckBox* m_erase = nullptr;
};

}  // namespace monitor
