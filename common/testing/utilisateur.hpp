#pragma once
// Read-only and unreadable files in tests. Root reads and writes everything,
// so a test run as root becomes an ordinary user ("nobody") for the time of
// the check; run as anyone else, file permissions already apply and nothing
// changes. Files the test prepares must lie in a DossierOuvert, which that
// user may enter.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <grp.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <vector>

namespace velmaro::testing {

class UtilisateurOrdinaire {
public:
    UtilisateurOrdinaire()
    {
        if (geteuid() != 0)
            return;
        groupes_.resize(static_cast<std::size_t>(getgroups(0, nullptr)));
        if (!groupes_.empty())
            getgroups(static_cast<int>(groupes_.size()), groupes_.data());
        // The saved ids stay root's, so that the destructor can come back.
        if (setgroups(0, nullptr) != 0 || setresgid(personne, personne, 0) != 0 ||
            setresuid(personne, personne, 0) != 0) {
            ADD_FAILURE() << "cannot become an ordinary user";
            return;
        }
        actif_ = true;
    }
    ~UtilisateurOrdinaire()
    {
        if (!actif_)
            return;
        if (setresuid(0, 0, 0) != 0 || setresgid(0, 0, 0) != 0 ||
            setgroups(groupes_.size(), groupes_.data()) != 0)
            ADD_FAILURE() << "cannot become root again";
    }
    UtilisateurOrdinaire(const UtilisateurOrdinaire&) = delete;
    UtilisateurOrdinaire& operator=(const UtilisateurOrdinaire&) = delete;

    // Whether permissions now hold (false only when root could not drop them).
    bool limite() const { return actif_ || geteuid() != 0; }

private:
    static constexpr uid_t personne = 65534;
    bool actif_ = false;
    std::vector<gid_t> groupes_;
};

// A temporary folder that an ordinary user may enter and write in.
class DossierOuvert {
public:
    DossierOuvert()
    {
        // The folder itself, and the test run's temporary folder above it,
        // which only its owner may enter.
        for (const QString& chemin : {dossier_.path(), QFileInfo(dossier_.path()).absolutePath()}) {
            const QByteArray natif = QFile::encodeName(chemin);
            struct stat etat {};
            if (::stat(natif.constData(), &etat) == 0 && etat.st_uid == geteuid())
                ::chmod(natif.constData(), (etat.st_mode & 07777) | (chemin == dossier_.path() ? 0777 : 0011));
        }
    }
    QString path() const { return dossier_.path(); }
    QString filePath(const QString& nom) const { return dossier_.filePath(nom); }

private:
    QTemporaryDir dossier_;
};

} // namespace velmaro::testing
