#pragma once
// A message box built from a Visual Basic style number: icon, button set with
// French captions, default button, and system modal boxes kept above every
// window. exec()/executer() answer with the VB codes 1 to 7.
#include "common/core/vbstyle.hpp"

#include <QDialog>
#include <QList>

class QLabel;
class QPushButton;

namespace velmaro {

class VbMessageBox : public QDialog {
    Q_OBJECT
public:
    VbMessageBox(const QString& texte, int style, const QString& titre, QWidget* proprietaire = nullptr);

    // Shows the box modally and returns the VB answer code.
    int executer();
    int reponse() const { return reponse_; }

    QLabel* etiquetteTexte() const { return texte_; }
    QLabel* etiquetteIcone() const { return icone_; }
    const QList<QPushButton*>& boutons() const { return boutons_; }
    QPushButton* boutonParDefaut() const;
    const StyleVb& styleVb() const { return vb_; }

    // Presses the default button, as Enter does.
    void appuyerBoutonParDefaut();

    static QString legende(ReponseVb code);

protected:
    void reject() override;
    void keyPressEvent(QKeyEvent* evenement) override;

private:
    void terminer(int code);

    StyleVb vb_;
    QLabel* icone_ = nullptr;
    QLabel* texte_ = nullptr;
    QList<QPushButton*> boutons_;
    int reponse_ = 0;
};

} // namespace velmaro
