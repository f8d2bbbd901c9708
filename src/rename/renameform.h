#pragma once
// The rule editor: edits the current rename rule in place (there is no
// cancel), shows what it does to a sample name, validates it and keeps the
// nine presets. Files or folders by the folder-rename flag at creation.
#include "rename/core/renpresets.h"
#include "rename/core/renrule.h"

#include <QDialog>
#include <QHash>
#include <functional>

class QButtonGroup;
class QCheckBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QToolButton;

namespace vt {

class OperationContext;

class TRenameForm : public QDialog {
    Q_OBJECT
public:
    explicit TRenameForm(QWidget *parent = nullptr);

    bool folders() const { return m_dirs; }
    // Validation (OK and every batch run): true when the rule may run.
    bool provApply();
    // Loads a record into the controls: 0 the current rule (silently, and
    // an empty one becomes the defaults), 1..9 a preset after a question.
    void SetRulesIn(int n, TRenRule &rec);
    // Recomputes the example line; sound 3 unless quiet (and "Звук" is on).
    void pr(bool quiet);
    void ForNum(bool showControls);
    // Shows today's date in the current format.
    void SetTime();
    // The date format toggles between year first and day first.
    void toggleDate();
    bool InitFileRules();
    // Loads (save false) or saves preset n.
    void PresetWork(bool save, int n);
    void presetList();
    void presetReset();
    // The context of the preview's batch runs: the preset buttons wait while it is busy.
    void setOperations(const OperationContext *ops) { m_ops = ops; }
    RenPresets &presets() { return m_presets; }
    // The preset popup as it is built for button n.
    QMenu *presetMenu(int n);

    QCheckBox *cbNum = nullptr;
    QRadioButton *rbNumBeg = nullptr, *rbNumEnd = nullptr;
    QSpinBox *seNum = nullptr, *seNumInc = nullptr, *seNumForm = nullptr;
    QLabel *labNumStart = nullptr, *labNumInc = nullptr, *labNumForm = nullptr, *labNum = nullptr;
    QLineEdit *ePref1 = nullptr, *ePref2 = nullptr, *ePostf1 = nullptr, *ePostf2 = nullptr;
    QLabel *labPref1 = nullptr, *labPref2 = nullptr, *labPostf1 = nullptr, *labPostf2 = nullptr;
    QGroupBox *gbName = nullptr;
    QRadioButton *rbNameDef = nullptr, *rbNameObr = nullptr, *rbNameZam = nullptr, *rbNameDelete = nullptr;
    QCheckBox *cbNameRegRes = nullptr;
    QGroupBox *gbReg = nullptr;
    QCheckBox *cbRegMode = nullptr, *cbRegName1SmvUp = nullptr;
    QGroupBox *gbObr = nullptr;
    QCheckBox *cbObrBeg = nullptr, *cbObrEnd = nullptr;
    QSpinBox *seObrIndBeg = nullptr, *seObrCntBeg = nullptr, *seObrIndEnd = nullptr, *seObrCntEnd = nullptr;
    QLabel *labObrIndBeg = nullptr, *labObrCntBeg = nullptr, *labObrIndEnd = nullptr, *labObrCntEnd = nullptr;
    QGroupBox *gbZam = nullptr;
    QLineEdit *eZamFnd = nullptr, *eZamNew = nullptr;
    QLabel *labZamFnd = nullptr, *labZamNew = nullptr;
    QCheckBox *cbZamBegEndAll = nullptr, *cbZamNumPos = nullptr, *cbZamFndAllReg = nullptr;
    QGroupBox *gbExt = nullptr;
    QRadioButton *rbExtNoMen = nullptr, *rbExtDownCase = nullptr, *rbExtUpCase = nullptr, *rbExtZam = nullptr;
    QLineEdit *eExt1 = nullptr, *eExt2 = nullptr;
    QLabel *labExtNa = nullptr;
    QLabel *labDate = nullptr;
    QLineEdit *eDate = nullptr;
    QCheckBox *cbZv = nullptr;
    QLabel *labPreset = nullptr;
    QToolButton *sbPres[9] = {};
    QToolButton *sbPresSbros = nullptr;
    QPushButton *sbOK = nullptr;
    QLabel *labPrimer = nullptr, *labPrimerRes = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    void build();
    void changed();
    void writeRule();
    void fillControls(const TRenRule &r);
    void updateView();
    void colour(QLineEdit *e);
    void presetClicked(int n);

    bool m_dirs = false;
    bool m_loading = false;
    bool m_busy = false; // a preset is being copied into the rule
    const OperationContext *m_ops = nullptr;
    bool m_dayFirst = false;
    RenPresets m_presets;
    QGridLayout *m_affixes = nullptr;
    QMenu *popPreset = nullptr;
    QHash<QObject *, std::function<void()>> m_resets;
    QHash<QObject *, QString> m_refused; // characters an edit refuses
};

} // namespace vt
