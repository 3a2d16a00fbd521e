#pragma once
// Ostrelle's main window. The left column browses drives, folders and image
// files; a click on a file shows it in the image area (scaled down to fit) or,
// for an icon, in the small picture box. The buttons copy the file or its path,
// step through the icons of a program or library file (Module1), put the shown
// picture on the clipboard or save the picture box as a BMP file, and start
// the file manager, the clipboard viewer and the About box. TypeImage,
// CheminImage and IconeDeListe carry what the last file click showed to the
// copy and save buttons.
#include "common/platform/services.hpp"
#include "common/ui/listes.hpp"
#include "image-copier/ui/controles.hpp"
#include "image-copier/ui/module1.hpp"

#include <QPushButton>
#include <QString>
#include <QWidget>

namespace ostrelle {

class FenPrin : public QWidget {
    Q_OBJECT
public:
    explicit FenPrin(velmaro::Services& services, QWidget* parent = nullptr);

    // The designed client area and the outer size it is held at (twips).
    static constexpr int largeurClient = 5415;
    static constexpr int hauteurClient = 4395;

    velmaro::ListeLecteurs* Drive1;
    velmaro::ListeDossiers* Dir1;
    velmaro::ListeFichiers* File1;
    ControleImage* Image1;
    BoiteImage* Picture1;
    QPushButton* CmdCOPIER;
    QPushButton* CmdCopFi;
    QPushButton* CmdCopNom;
    QPushButton* CmdIcoBmp;
    QPushButton* CmdPresPap;
    QPushButton* CmdFICHICO;
    QPushButton* CmdAR;
    QPushButton* CmdAV;
    QPushButton* CmdGestFich;
    QPushButton* CmdApro;

    // Shared with the icon buttons.
    QString TypeImage;
    QString CheminImage;
    bool IconeDeListe = false;
    Module1 module1;

public slots:
    void Form_Load();
    void Form_Resize();
    void Drive1_Change();
    void Dir1_Change();
    void File1_Click();
    void CmdCopFi_Click();
    void CmdCopNom_Click();
    void CmdGestFich_Click();
    void CmdPresPap_Click();
    void CmdApro_Click();
    void CmdFICHICO_Click();
    void CmdAV_Click();
    void CmdAR_Click();
    void CmdIcoBmp_Click();
    void CmdCOPIER_Click();

protected:
    void resizeEvent(QResizeEvent* evenement) override;

private:
    void fleche(bool avant);
    void erreur(const QString& texte);
    void lancer(const QString& programme);
    void reduire();

    velmaro::Services& services_;
    QString nomImage_; // name of the file clicked last, without its folder
    QString nomIcone_; // name of the .ico file clicked last
};

// "Description|*.a;*.b|..." as the file dialogs of Qt write it.
QString filtreDialogue(const QString& filtre);


} // namespace ostrelle
