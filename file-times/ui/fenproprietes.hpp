#pragma once
// The suite's own properties window, shown when no file manager answers the
// request for a file's property sheet: name, folder, size and the three times
// read from the file (the creation time where the file system records it).
#include <QDialog>

class QLabel;

namespace kalvent {

class FenProprietes : public QDialog {
    Q_OBJECT
public:
    explicit FenProprietes(const QString& chemin, QWidget* parent = nullptr);

    // The values in the order shown: name, folder, size, creation, modification, access.
    QStringList valeurs() const;

private:
    QList<QLabel*> valeurs_;
};

} // namespace kalvent
