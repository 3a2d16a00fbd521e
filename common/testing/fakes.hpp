#pragma once
// Fakes of every service: they record what was asked and answer as scripted.
#include "common/platform/services.hpp"
#include "common/testing/gtest_qt.hpp"

#include <QList>
#include <QPair>
#include <QSet>
#include <deque>
#include <map>

namespace velmaro::testing {

class FakeClipboard : public Clipboard {
public:
    void setText(const QString& t) override { verifier(); texte = t; image_ = QImage(); ++ecritures; }
    QString text() const override { return texte; }
    void setImage(const QImage& i) override { verifier(); image_ = i; texte.clear(); ++ecritures; }
    QImage image() const override { return image_; }
    void clear() override { verifier(); texte.clear(); image_ = QImage(); }

    QString texte;
    QImage image_;
    int ecritures = 0;
    QString echec; // when set, every write throws this text

private:
    void verifier() const { if (!echec.isEmpty()) throw ErreurService(echec); }
};

class FakeLauncher : public Launcher {
public:
    struct Lancement { QString programme; QStringList arguments; };
    void start(const QString& p, const QStringList& a = {}) override
    {
        if (echecs.contains(p) || echecTous)
            throw ErreurService(QStringLiteral("Fichier introuvable : %1").arg(p));
        lancements.push_back({p, a});
    }
    void openUrl(const QUrl& u) override
    {
        if (echecTous)
            throw ErreurService(QStringLiteral("Impossible d'ouvrir %1").arg(u.toString()));
        adresses.push_back(u);
    }
    std::vector<Lancement> lancements;
    std::vector<QUrl> adresses;
    QSet<QString> echecs;
    bool echecTous = false;
};

class FakeMessageBoxes : public MessageBoxes {
public:
    struct Boite { QString texte; int style; QString titre; };
    int show(QWidget*, const QString& texte, int style, const QString& titre) override
    {
        boites.push_back({texte, style, titre});
        if (reponses.empty())
            return 1;
        const int r = reponses.front();
        reponses.pop_front();
        return r;
    }
    std::vector<Boite> boites;
    std::deque<int> reponses; // answers in order; OK (1) when empty
};

class FakeDialogs : public Dialogs {
public:
    std::optional<QFont> chooseFont(QWidget*, const QFont& initiale) override
    {
        policesProposees.push_back(initiale);
        return police;
    }
    QString openFile(QWidget*, const QString&, const QString&, const QString&) override { return fichierOuvert; }
    QString saveFile(QWidget*, const QString&, const QString& propose, const QString&,
                     Remplacement remplacement) override
    {
        propositions.push_back(propose);
        remplacements.push_back(remplacement);
        return fichierEnregistre;
    }
    std::optional<QFont> police;
    std::vector<QFont> policesProposees;
    QString fichierOuvert;
    QString fichierEnregistre;
    std::vector<QString> propositions;
    std::vector<Remplacement> remplacements;
};

class FakePower : public Power {
public:
    void shutdown() override { demander(QStringLiteral("shutdown")); }
    void reboot() override { demander(QStringLiteral("reboot")); }
    QStringList demandes;
    QString echec;
    std::function<void(const QString&)> observateur; // called at each request, before it fails or not

private:
    void demander(const QString& d)
    {
        demandes.push_back(d);
        if (observateur)
            observateur(d);
        if (!echec.isEmpty())
            throw ErreurService(echec);
    }
};

class FakeFileTimes : public FileTimes {
public:
    struct Ecriture { QString chemin; std::uint64_t creation; std::uint64_t ecriture; };
    bool setTimes(const QString& chemin, std::uint64_t c, std::uint64_t e) override
    {
        tentatives << chemin;
        if (echecs.contains(chemin))
            throw ErreurService(QStringLiteral("Accès refusé"));
        ecritures.push_back({chemin, c, e});
        return creationPossible;
    }
    bool showProperties(QWidget*, const QString& chemin) override
    {
        proprietes.push_back(chemin);
        return feuilleSysteme;
    }
    std::vector<Ecriture> ecritures;
    QStringList tentatives;          // every path asked, written or not
    QSet<QString> echecs;            // paths whose write throws "Accès refusé"
    bool creationPossible = true;    // false: like Linux, no creation time
    QStringList proprietes;
    bool feuilleSysteme = true;      // false: no file manager answers
};

class FakeTray : public Tray {
public:
    struct Icone {
        QIcon icone;
        QString bulle;
        std::function<void(int)> souris;
    };
    bool available() const override { return disponible; }
    bool add(int id, const QIcon& i, const QString& b, std::function<void(int)> s) override
    {
        journal.push_back(QStringLiteral("add %1").arg(id));
        if (refuser || icones.count(id))
            return false;
        icones[id] = {i, b, std::move(s)};
        return true;
    }
    bool remove(int id) override
    {
        journal.push_back(QStringLiteral("remove %1").arg(id));
        if (echecsRetrait.contains(id))
            return false;
        return icones.erase(id) > 0;
    }
    // Sends a mouse message number to an icon, as the tray would. The handler
    // may remove the icon while it runs.
    void souris(int id, int message)
    {
        const auto rappel = icones.at(id).souris;
        rappel(message);
    }
    std::map<int, Icone> icones;
    QStringList journal;
    bool refuser = false;
    bool disponible = true;
    QSet<int> echecsRetrait; // removals that fail and leave the icon
};

class FakeRegistry : public Registry {
public:
    bool available() const override { return disponible; }
    std::optional<Valeur> read(std::uint32_t racine, const QString& cle, const QString& nom) override
    {
        lectures.push_back(cle + QLatin1Char('\\') + nom);
        auto it = valeurs.find({racine, cle + QLatin1Char('\\') + nom});
        if (it == valeurs.end())
            return std::nullopt;
        return it->second;
    }
    // Stores a value as the registry would hand it back.
    void definir(std::uint32_t racine, const QString& cle, const QString& nom, std::uint32_t type,
                 const QByteArray& donnees)
    {
        valeurs[{racine, cle + QLatin1Char('\\') + nom}] = Valeur{type, donnees};
    }
    bool disponible = true;
    std::map<std::pair<std::uint32_t, QString>, Valeur> valeurs; // (root, "key\\name")
    QStringList lectures;
};

class FakeProgramFolder : public ProgramFolder {
public:
    QString path() const override { return dossier; }
    QString dossier = QStringLiteral("/opt/velmaro");
};

class FakeClock : public Clock {
public:
    QDateTime now() const override { return maintenant; }
    double random() override
    {
        if (tirages.empty())
            return 0.5;
        const double r = tirages.front();
        tirages.pop_front();
        return r;
    }
    QDateTime maintenant = QDateTime(QDate(2026, 12, 6), QTime(14, 30, 15));
    std::deque<double> tirages;
};

// All fakes together, and the Services a window takes.
struct FakeServices {
    FakeClipboard clipboard;
    FakeLauncher launcher;
    FakeMessageBoxes messages;
    FakeDialogs dialogs;
    FakePower power;
    FakeFileTimes fileTimes;
    FakeTray tray;
    FakeRegistry registry;
    FakeProgramFolder programFolder;
    FakeClock clock;
    Services services{clipboard, launcher, messages, dialogs, power, fileTimes, tray, registry, programFolder, clock};
    operator Services&() { return services; }
};

} // namespace velmaro::testing
