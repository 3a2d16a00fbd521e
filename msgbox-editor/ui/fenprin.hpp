#pragma once
// Brevolet's main window. The option arrays, icon buttons and text boxes
// drive the model (core/modele.hpp), which rebuilds the code line shown in
// TextMsgBox after every change; "Copier" puts the comment and code lines on
// the clipboard. The lower frames set the preview (display time, position),
// which "Visualisation" and the font button show as a message box built from
// the style number. The utility buttons go through the services.
#include "msgbox-editor/core/apercu.hpp"
#include "msgbox-editor/core/modele.hpp"
#include "msgbox-editor/ui/zonetexte.hpp"

#include <QFont>
#include <QWidget>
#include <array>
#include <memory>
#include <optional>

class QGroupBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTimer;
class QToolButton;

namespace velmaro {
struct Services;
}

namespace brevolet {

class BarreInversee;
class BoiteApercu;

// The client height shown: just below the two lower frames (which end at
// 5895 twips); the designed 8190 x 6960 area keeps BoutonFocus below it.
constexpr int largeurClient = 8190;
constexpr int hauteurVisible = 6015;

class FenPrin : public QWidget {
    Q_OBJECT
public:
    explicit FenPrin(velmaro::Services& services, QWidget* parent = nullptr);
    ~FenPrin() override;

    // Model and preview, read by the tests.
    const Modele& modele() const { return modele_; }
    const ReglagesApercu& reglages() const { return reglages_; }
    // The box's case mode: typed letters in the two text boxes are capitals
    // while it is on (Shift giving small letters), whatever the keyboard's lock.
    bool majuscules() const { return majuscules_; }
    const std::optional<QFont>& PoliceBoite() const { return policeBoite_; }
    // The preview box while it is shown, else null.
    BoiteApercu* boiteOuverte() const { return boiteOuverte_; }
    // The answer of the last preview box (ignored by the program itself).
    int derniereReponse() const { return derniereReponse_; }

    // The message as the code line and the clipboard hold it: CR LF between lines.
    QString texteMessage() const;

    void Form_Load();
    void Reconstruire();

    void OptTypCode_Click();
    void IcoSans_MouseDown();
    void IcoStop_Click();
    void IcoQuest_MouseDown();
    void IcoExcl_MouseDown();
    void IcoInfo_MouseDown();
    void OptTypBouton_Click();
    void OptDefBtn_Click();
    void OptTypMod_Click();
    void TextMsg_Change();
    void TextTitre_Change();
    void CmdCopie_Click();

    void CmdEfTitr_Click();
    void CmdEfTxt_Click();
    void CmdFontes_Click();
    void CmdSautLign_Click();
    void CmdAide_Click();
    void CmdPressPap_Click();
    void CmdApro_Click();
    void TextMsg_Click();
    void TextTitre_MouseDown(Qt::MouseButton bouton);

    void AffTemps_Change();
    void ChangeTemps_Change();
    void AffPosX_Change();
    void AffPosY_Change();
    void ChangePosX_Change();
    void ChangePosY_Change();
    void CmdCentrer_Click();
    void CmdVisu_Click();
    void MinuterieFermeture_Timer();

    // Builds the preview box in its final place and form, without showing it.
    std::unique_ptr<BoiteApercu> creerApercu();
    std::unique_ptr<BoiteApercu> creerApercuPolice();

    QPushButton* BoutonFocus;
    QGroupBox* Frame1;
    std::array<QRadioButton*, 2> OptTypCode;
    QGroupBox* Frame2;
    std::array<QRadioButton*, 6> OptTypBouton;
    QGroupBox* Frame3;
    std::array<QRadioButton*, 3> OptDefBtn;
    QGroupBox* Frame4;
    std::array<QRadioButton*, 2> OptTypMod;
    QGroupBox* Frame5;
    QToolButton* IcoSans;
    QToolButton* IcoStop;
    QToolButton* IcoQuest;
    QToolButton* IcoExcl;
    QToolButton* IcoInfo;
    QLabel* Label1;
    QLineEdit* TextTitre;
    QPushButton* CmdEfTitr;
    QLabel* Label2;
    ZoneTexte* TextMsg;
    QPushButton* CmdEfTxt;
    QPushButton* CmdVisu;
    QPushButton* CmdCopie;
    QPushButton* CmdAide;
    QPushButton* CmdSautLign;
    QPushButton* CmdPressPap;
    QPushButton* CmdApro;
    QLabel* Label3;
    QPlainTextEdit* TextMsgBox;
    QGroupBox* Frame6;
    QLineEdit* AffTemps;
    BarreInversee* ChangeTemps;
    QLabel* Label4;
    QGroupBox* Frame7;
    QLabel* Label5;
    QLineEdit* AffPosX;
    BarreInversee* ChangePosX;
    QLabel* Label6;
    QLineEdit* AffPosY;
    BarreInversee* ChangePosY;
    QPushButton* CmdCentrer;
    QPushButton* CmdFontes;
    QTimer* MinuterieFermeture;

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;
    void keyPressEvent(QKeyEvent* evenement) override;

private:
    struct ChoixPolice {
        QString nom;
        float taille = 0;
        bool gras = false;
        bool italique = false;
        bool barre = false;
        bool souligne = false;
    };

    void creerControles();
    void nommerPourLecteurDEcran();
    void basculerMajuscules(const QKeyEvent* touche);
    void connecter();
    void choisirIcone(Icone icone);
    void synchroniserDefauts();
    void afficherErreur(const QString& texte);
    void changementPosition(QLineEdit* boite, BarreInversee* barre, int maximum, int& position);

    velmaro::Services& services_;
    Modele modele_;
    ReglagesApercu reglages_;
    ChoixPolice choixPolice_;
    std::optional<QFont> policeBoite_;
    bool majuscules_ = false;
    bool renvoiTouche_ = false;
    BoiteApercu* boiteOuverte_ = nullptr;
    int derniereReponse_ = 0;
};

} // namespace brevolet
