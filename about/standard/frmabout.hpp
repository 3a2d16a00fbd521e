#pragma once
// The standard About box shown by Somnelle and Merlidan: the program's icon,
// title, version and description, the maker's lines and web address, "OK"
// and a button that starts the system information program. One window and
// one code for both programs; the per-program texts and the taller Merlidan
// layout come from a table. The box is modeless and single: showing it
// again brings the open one forward.
#include <QDialog>
#include <QString>
#include <QStringList>
#include <cstdint>

class QFrame;
class QLabel;
class QPushButton;

namespace velmaro {
struct Services;
class Registry;
} // namespace velmaro

namespace about {

enum class ProgrammeStandard { Somnelle, Merlidan };

// Win32 number of the HKEY_LOCAL_MACHINE root.
constexpr std::uint32_t racineMachine = 0x80000002;

// Reads one registry value into KeyVal: a string without its terminating NUL
// (dropped only when present), a 32-bit number as decimal text; any other
// type leaves KeyVal as it was and still succeeds. A missing key or value
// gives false and an empty KeyVal.
bool GetKeyValue(velmaro::Registry& registre, std::uint32_t KeyRoot, const QString& KeyName,
                 const QString& SubKeyRef, QString& KeyVal);

// Programs tried in this order where there is no registry to ask.
const QStringList& programmesInfosSysteme();

class frmAbout : public QDialog {
    Q_OBJECT
public:
    frmAbout(QWidget* parent, ProgrammeStandard programme, velmaro::Services& services);

    ProgrammeStandard programme() const { return programme_; }

    QLabel* picIcon;
    QLabel* lblTitle;
    QLabel* lblVersion;
    QLabel* lblDescription;
    QFrame* Frame1;
    QPushButton* cmdOK;
    QLabel* Label1;
    QLabel* lblDisclaimer;
    QPushButton* cmdSysInfo;
    // Merlidan only: the maker line and the list of the other utilities.
    QLabel* lblAuteurs = nullptr;
    QLabel* lblUtilitaires = nullptr;

    void Form_Load();
    void cmdOK_Click();
    void cmdSysInfo_Click();
    void lblDisclaimer_Click();
    void StartSysInfo();

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    ProgrammeStandard programme_;
    velmaro::Services& services_;
};

// Shows the box modeless (or brings the open one forward) and returns it.
frmAbout* montrerFrmAbout(QWidget* parent, ProgrammeStandard programme, velmaro::Services& services);

} // namespace about
