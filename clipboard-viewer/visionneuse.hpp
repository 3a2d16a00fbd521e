#pragma once
// The clipboard viewer's window: a scrolling view of the clipboard's text or
// picture, refreshed on every change of the clipboard.
#include <QMainWindow>

class QLabel;
class QPlainTextEdit;
class QScrollArea;
class QStackedWidget;

namespace clipbrd {

class Visionneuse : public QMainWindow {
    Q_OBJECT
public:
    explicit Visionneuse(QWidget* parent = nullptr);
    void actualiser();

    QString description() const;

private:
    QStackedWidget* pile_;
    QPlainTextEdit* texte_;
    QScrollArea* defilement_;
    QLabel* image_;
    QLabel* vide_;
};

} // namespace clipbrd
