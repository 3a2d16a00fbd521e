#include "common/ui/listes.hpp"

#include "common/core/chemin.hpp"
#include "common/platform/dossiers.hpp"
#include "common/platform/erreur.hpp"
#include "common/platform/nomsnatifs.hpp"

#include <QApplication>
#include <QCollator>
#include <QDir>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QHash>
#include <QKeyEvent>
#include <QtMath>
#include <QRegularExpression>
#include <QSet>
#include <QStorageInfo>
#include <QStyle>
#include <QStyledItemDelegate>

#include <algorithm>
#include <array>
#include <vector>

namespace velmaro {

namespace {

const QRegularExpression lettreLecteur(QStringLiteral("^([A-Za-z]):[/\\\\]?$"));

bool avantSansCasse(const QString& a, const QString& b)
{
    const int c = QString::compare(a, b, Qt::CaseInsensitive);
    return c != 0 ? c < 0 : QString::compare(a, b, Qt::CaseSensitive) < 0;
}

// In the order of the user's language ("été" before "ro"), without regard to
// case; names the language holds equal keep the order of their characters.
// Each name's key is made once, not at every comparison.
void trierSelonLaLangue(QStringList& noms)
{
    // A system left in the C locale names no language (and would order by
    // character codes): the suite's own, French, orders the names then.
    QLocale langue;
    if (langue.language() == QLocale::C)
        langue = QLocale(QLocale::French, QLocale::France);
    QCollator collation{langue};
    collation.setCaseSensitivity(Qt::CaseInsensitive);
    struct Cle {
        QCollatorSortKey cle;
        QString nom;
    };
    std::vector<Cle> cles;
    cles.reserve(static_cast<std::size_t>(noms.size()));
    for (QString& nom : noms)
        cles.push_back({collation.sortKey(nomLisible(nom)), std::move(nom)});
    std::sort(cles.begin(), cles.end(), [](const Cle& a, const Cle& b) {
        const int c = a.cle.compare(b.cle);
        return c != 0 ? c < 0 : QString::compare(a.nom, b.nom, Qt::CaseSensitive) < 0;
    });
    for (std::size_t i = 0; i < cles.size(); ++i)
        noms[static_cast<qsizetype>(i)] = std::move(cles[i].nom);
}

// "/" separators, absolute, without "." or "..".
QString normaliser(const QString& chemin)
{
    return QDir::cleanPath(QDir(QDir::fromNativeSeparators(chemin)).absolutePath());
}

// The folder a list may show, in its normal form; throws with the text to show otherwise.
QString dossierLisible(const QString& chemin)
{
    if (chemin.trimmed().isEmpty())
        throw ErreurService(QStringLiteral("Chemin d'accès introuvable"));
    const QString normal = normaliser(chemin);
    const QFileInfo info(normal);
    const QString affiche = QDir::toNativeSeparators(normal);
    if (!info.exists()) {
        if (QDir(normal).isRoot())
            throw ErreurService(QStringLiteral("Périphérique non disponible : %1").arg(affiche));
        throw ErreurService(QStringLiteral("Chemin d'accès introuvable : %1").arg(affiche));
    }
    if (!info.isDir())
        throw ErreurService(QStringLiteral("Chemin d'accès introuvable : %1").arg(affiche));
    if (!info.isReadable() || !info.isExecutable())
        throw ErreurService(QStringLiteral("Accès refusé : %1").arg(affiche));
    return normal;
}

bool contientChemin(const QString& racine, const QString& chemin)
{
    const QString r = QDir::fromNativeSeparators(racine);
    const QString c = QDir::fromNativeSeparators(chemin);
    const Qt::CaseSensitivity casse = lettreLecteur.match(r).hasMatch() ? Qt::CaseInsensitive : Qt::CaseSensitive;
    if (c.compare(r, casse) == 0)
        return true;
    const QString prefixe = r.endsWith(QLatin1Char('/')) ? r : r + QLatin1Char('/');
    return c.startsWith(prefixe, casse);
}

// One pattern of a list such as "*.wmf;*.ico". The usual "*.ext" is an
// ending compared without regard to case, much cheaper than an expression
// over a long list; anything else goes through the wildcard expression.
struct Motif {
    QString fin; // "*" then this, without wildcards, ASCII only
    QRegularExpression expression;
};

bool finSimple(QStringView fin)
{
    return std::all_of(fin.begin(), fin.end(), [](QChar c) {
        return c.unicode() < 0x80 && c != QLatin1Char('*') && c != QLatin1Char('?') && c != QLatin1Char('[') &&
               c != QLatin1Char(']') && c != QLatin1Char('/') && c != QLatin1Char('\\');
    });
}

QList<Motif> compiler(const QString& motifs, bool& tout)
{
    // No pattern at all lists every file, as "*.*" does.
    tout = motifs.trimmed().isEmpty();
    QList<Motif> resultat;
    for (const QString& brut : motifs.split(QLatin1Char(';'))) {
        const QString motif = brut.trimmed();
        if (motif.isEmpty())
            continue;
        if (motif == QLatin1String("*.*") || motif == QLatin1String("*")) {
            tout = true;
            continue;
        }
        if (motif.startsWith(QLatin1Char('*')) && finSimple(QStringView(motif).mid(1))) {
            resultat << Motif{motif.mid(1), {}};
            continue;
        }
        resultat << Motif{{},
                          QRegularExpression(QRegularExpression::wildcardToRegularExpression(motif),
                                             QRegularExpression::CaseInsensitiveOption)};
    }
    return resultat;
}

bool correspond(const QString& nom, const QList<Motif>& motifs, bool tout)
{
    if (tout)
        return true;
    return std::any_of(motifs.begin(), motifs.end(), [&](const Motif& m) {
        return m.expression.pattern().isEmpty() ? nom.endsWith(m.fin, Qt::CaseInsensitive)
                                                : m.expression.match(nom).hasMatch();
    });
}

// Folder list rows are indented by their depth, the way the VB list draws its tree.
constexpr int roleNiveau = Qt::UserRole + 1;
constexpr int retraitParNiveau = 8;

class DelegueRetrait : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* peintre, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem decale(option);
        decale.rect.adjust(index.data(roleNiveau).toInt() * retraitParNiveau, 0, 0, 0);
        QStyledItemDelegate::paint(peintre, decale, index);
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return QStyledItemDelegate::sizeHint(option, index) +
               QSize(index.data(roleNiveau).toInt() * retraitParNiveau, 0);
    }
};

// The file list's rows all have one height, so that a folder of many files
// is laid out without measuring each name; the widest name still sets how
// far the list scrolls sideways.
class DelegueFichiers : public QStyledItemDelegate {
public:
    DelegueFichiers(const QStringList& noms, QObject* parent) : QStyledItemDelegate(parent), noms_(noms) {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize taille = QStyledItemDelegate::sizeHint(option, index);
        const QFontMetricsF mesures(option.font);
        const QString plusLarge = nomLePlusLarge(mesures);
        const int ecart = qCeil(mesures.horizontalAdvance(plusLarge)) -
                          qCeil(mesures.horizontalAdvance(index.data(Qt::DisplayRole).toString()));
        taille.rwidth() += std::max(0, ecart);
        return taille;
    }

private:
    // The widest name by the sum of its characters' advances (kerning left
    // out, which moves a width by a pixel at most).
    QString nomLePlusLarge(const QFontMetricsF& mesures) const
    {
        std::array<qreal, 256> latin{};
        latin.fill(-1);
        QHash<char16_t, qreal> autres;
        qreal max = -1;
        QString plusLarge;
        for (const QString& nom : noms_) {
            qreal largeur = 0;
            for (QChar c : nom) {
                if (c.unicode() < 256) {
                    qreal& a = latin[c.unicode()];
                    if (a < 0)
                        a = mesures.horizontalAdvance(c);
                    largeur += a;
                } else {
                    auto it = autres.find(c.unicode());
                    if (it == autres.end())
                        it = autres.insert(c.unicode(), mesures.horizontalAdvance(c));
                    largeur += *it;
                }
            }
            if (largeur > max) {
                max = largeur;
                plusLarge = nom;
            }
        }
        return plusLarge;
    }

    const QStringList& noms_;
};

} // namespace

bool volumeUtilisateur(const QString& racine, const QString& typeFs)
{
    const QString r = QDir::fromNativeSeparators(racine);
    if (r == QLatin1String("/") || lettreLecteur.match(r).hasMatch())
        return true;
    static const QSet<QString> pseudo = {
        QStringLiteral("proc"),       QStringLiteral("sysfs"),        QStringLiteral("devtmpfs"),
        QStringLiteral("devpts"),     QStringLiteral("cgroup"),       QStringLiteral("cgroup2"),
        QStringLiteral("securityfs"), QStringLiteral("pstore"),       QStringLiteral("debugfs"),
        QStringLiteral("tracefs"),    QStringLiteral("configfs"),     QStringLiteral("fusectl"),
        QStringLiteral("mqueue"),     QStringLiteral("hugetlbfs"),    QStringLiteral("bpf"),
        QStringLiteral("autofs"),     QStringLiteral("binfmt_misc"),  QStringLiteral("efivarfs"),
        QStringLiteral("nsfs"),       QStringLiteral("ramfs"),        QStringLiteral("rpc_pipefs"),
        QStringLiteral("squashfs"),   QStringLiteral("overlay"),      QStringLiteral("selinuxfs"),
        QStringLiteral("nfsd"),       QStringLiteral("rootfs"),       QStringLiteral("fuse.gvfsd-fuse"),
        QStringLiteral("fuse.portal"), QStringLiteral("fuse.lxcfs"),  QStringLiteral("fuse.snapfuse"),
    };
    if (pseudo.contains(typeFs.toLower()))
        return false;
    // Removable media of some desktops are mounted below /run/media.
    if (contientChemin(QStringLiteral("/run/media"), r))
        return true;
    for (const char* systeme : {"/proc", "/sys", "/dev", "/run", "/snap", "/var/snap", "/var/lib/docker"}) {
        if (contientChemin(QLatin1String(systeme), r))
            return false;
    }
    return true;
}

QList<Volume> volumesDuSysteme()
{
    QList<Volume> lecteurs;
    QList<Volume> autres;
    QSet<QString> vus;
    // Drive letters (every one, ready or not), or "/" alone.
    for (const QFileInfo& d : QDir::drives()) {
        const QString racine = QDir::toNativeSeparators(d.absoluteFilePath());
        if (!vus.contains(racine.toLower())) {
            vus.insert(racine.toLower());
            lecteurs << Volume{racine, QString()};
        }
    }
    for (const QStorageInfo& s : QStorageInfo::mountedVolumes()) {
        // A single file mounted on its own (containers do that) is no volume to browse.
        if (!s.isValid() || !QFileInfo(s.rootPath()).isDir() ||
            !volumeUtilisateur(s.rootPath(), QString::fromUtf8(s.fileSystemType())))
            continue;
        const QString racine = QDir::toNativeSeparators(s.rootPath());
        const QString cle = QDir::toNativeSeparators(QDir(s.rootPath()).absolutePath()).toLower();
        if (vus.contains(cle) || vus.contains(racine.toLower())) {
            for (Volume& v : lecteurs) {
                if (v.racine.toLower() == racine.toLower() || v.racine.toLower() == cle)
                    v.nom = s.name();
            }
            continue;
        }
        vus.insert(cle);
        autres << Volume{racine, s.name()};
    }
    std::sort(autres.begin(), autres.end(), [](const Volume& a, const Volume& b) { return avantSansCasse(a.racine, b.racine); });
    return lecteurs + autres;
}

QString libelleVolume(const Volume& volume)
{
    const auto lettre = lettreLecteur.match(volume.racine);
    QString texte = lettre.hasMatch() ? lettre.captured(1).toLower() + QLatin1Char(':') : volume.racine;
    if (!volume.nom.isEmpty())
        texte += QStringLiteral(" [%1]").arg(volume.nom);
    return texte;
}

bool correspondMotif(const QString& nom, const QString& motifs)
{
    bool tout = false;
    const auto compiles = compiler(motifs, tout);
    return correspond(nom, compiles, tout);
}

// ---- ListeLecteurs -------------------------------------------------------

ListeLecteurs::ListeLecteurs(QWidget* parent) : QComboBox(parent)
{
    setEditable(false);
    actualiser();
    const int index = findData(lecteurDe(QDir::currentPath()));
    setCurrentIndex(index);
    choix_ = index;
    connect(this, &QComboBox::activated, this, &ListeLecteurs::choisir);
}

void ListeLecteurs::actualiser()
{
    setVolumes(volumesDuSysteme());
}

void ListeLecteurs::setVolumes(const QList<Volume>& volumes)
{
    const QString avant = drive();
    volumes_ = volumes;
    const QSignalBlocker bloque(this);
    clear();
    for (const Volume& v : volumes_)
        addItem(libelleVolume(v), v.racine);
    const int index = avant.isEmpty() ? -1 : findData(avant);
    setCurrentIndex(index >= 0 ? index : (count() > 0 ? 0 : -1));
    choix_ = currentIndex();
}

QString ListeLecteurs::drive() const
{
    return currentData().toString();
}

QString ListeLecteurs::lecteurDe(const QString& chemin) const
{
    const QString absolu = QDir::toNativeSeparators(normaliser(chemin));
    QString meilleur;
    for (const Volume& v : volumes_) {
        if (contientChemin(v.racine, absolu) && v.racine.size() > meilleur.size())
            meilleur = v.racine;
    }
    if (meilleur.isEmpty() && !volumes_.isEmpty())
        meilleur = volumes_.first().racine;
    return meilleur;
}

void ListeLecteurs::setDrive(const QString& chemin)
{
    const int index = findData(lecteurDe(chemin));
    if (index < 0)
        return;
    setCurrentIndex(index);
    choisir(index);
}

void ListeLecteurs::choisir(int index)
{
    if (index == choix_)
        return;
    choix_ = index;
    emit changed();
}

// ---- ListeDossiers -------------------------------------------------------

ListeDossiers::ListeDossiers(QWidget* parent) : QListWidget(parent)
{
    setItemDelegate(new DelegueRetrait(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    try {
        const QString depart = dossierLisible(QDir::currentPath());
        remplir(depart, QDir(depart).entryList(QDir::Dirs | QDir::NoDotAndDotDot));
    } catch (const ErreurService&) {
        remplir(QDir::rootPath(), QDir::root().entryList(QDir::Dirs | QDir::NoDotAndDotDot));
    }
    connect(this, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { ouvrirLigne(row(item)); });
}

void ListeDossiers::setPath(const QString& chemin)
{
    const QString normal = dossierLisible(chemin);
    const QStringList sous = QDir(normal).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    const QString ancien = chemin_;
    remplir(normal, sous);
    if (chemin_ != ancien)
        emit changed();
}

void ListeDossiers::actualiser()
{
    setPath(chemin_);
}

QString ListeDossiers::cheminLigne(int ligne) const
{
    return lignes_.value(ligne);
}

void ListeDossiers::ouvrirLigne(int ligne)
{
    if (ligne < 0 || ligne >= lignes_.size())
        return;
    try {
        setPath(lignes_.at(ligne));
    } catch (const ErreurService& e) {
        emit erreur(e.texte());
    }
}

void ListeDossiers::keyPressEvent(QKeyEvent* evenement)
{
    if (evenement->key() == Qt::Key_Return || evenement->key() == Qt::Key_Enter) {
        ouvrirLigne(currentRow());
        return;
    }
    QListWidget::keyPressEvent(evenement);
}

void ListeDossiers::remplir(const QString& normal, const QStringList& sousDossiers)
{
    chemin_ = QDir::toNativeSeparators(normal);
    lignes_.clear();
    clear();
    const QIcon ouvert = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon ferme = style()->standardIcon(QStyle::SP_DirClosedIcon);

    // Ancestors from the root down, the folder itself last.
    QStringList chaine;
    QDir d(normal);
    chaine.prepend(d.absolutePath());
    while (!d.isRoot() && d.cdUp())
        chaine.prepend(d.absolutePath());
    int niveau = 0;
    for (const QString& c : chaine) {
        const QDir dossier(c);
        QString texte = dossier.isRoot() ? libelleVolume({QDir::toNativeSeparators(c), QString()}) : dossier.dirName();
        if (dossier.isRoot() && lettreLecteur.match(c).hasMatch())
            texte += QDir::separator();
        auto* item = new QListWidgetItem(ouvert, texte, this);
        item->setData(roleNiveau, niveau++);
        lignes_ << QDir::toNativeSeparators(c);
    }
    const int ligneCourante = count() - 1;

    sousDossiers_.clear();
    QStringList noms = sousDossiers;
    trierSelonLaLangue(noms);
    for (const QString& nom : noms) {
        auto* item = new QListWidgetItem(ferme, nom, this);
        item->setData(roleNiveau, niveau);
        const QString complet = QString::fromStdString(
            joindreChemin(chemin_.toStdString(), nom.toStdString(), QDir::separator().toLatin1()));
        lignes_ << complet;
        sousDossiers_ << complet;
    }
    setCurrentRow(ligneCourante);
}

// ---- ListeFichiers -------------------------------------------------------

ListeFichiers::ListeFichiers(QWidget* parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    setItemDelegate(new DelegueFichiers(noms_, this));
    try {
        lire(dossierLisible(QDir::currentPath()));
    } catch (const ErreurService&) {
        lire(QDir::rootPath());
    }
    connect(this, &QListWidget::itemSelectionChanged, this, [this] {
        if (!remplissage_)
            emit clic();
    });
    connect(this, &QListWidget::itemDoubleClicked, this, [this] { emit doubleClic(); });
}

void ListeFichiers::setSelectionEtendue(bool etendue)
{
    setSelectionMode(etendue ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
}

void ListeFichiers::setPath(const QString& chemin)
{
    const QString normal = dossierLisible(chemin);
    const QString ancien = chemin_;
    lire(normal);
    if (chemin_ != ancien)
        emit pathChanged();
}

void ListeFichiers::setPattern(const QString& motifs)
{
    if (motifs == motifs_)
        return;
    motifs_ = motifs;
    lire(QDir::fromNativeSeparators(chemin_));
    emit patternChanged();
}

void ListeFichiers::actualiser()
{
    setPath(chemin_);
}

void ListeFichiers::lire(const QString& normal)
{
    bool tout = false;
    const auto compiles = compiler(motifs_, tout);
    QStringList noms;
    for (QString& nom : nomsDeFichiers(normal)) {
        if (correspond(nom, compiles, tout))
            noms << std::move(nom);
    }
    trierSelonLaLangue(noms);

    remplissage_ = true;
    chemin_ = QDir::toNativeSeparators(normal);
    clear();
    exacts_ = noms;
    noms_.clear();
    for (const QString& nom : noms)
        noms_ << nomLisible(nom);
    addItems(noms_);
    remplissage_ = false;
}

QString ListeFichiers::nom(int i) const
{
    const QListWidgetItem* it = item(i);
    return it ? it->text() : QString();
}

bool ListeFichiers::estSelectionne(int i) const
{
    const QListWidgetItem* it = item(i);
    return it && it->isSelected();
}

QString ListeFichiers::cheminComplet(int i) const
{
    // Joined as the system's bytes: the name may hold bytes that are no text.
    return depuisNomNatif(QByteArray::fromStdString(joindreChemin(
        versNomNatif(chemin_).toStdString(), versNomNatif(exacts_.value(i)).toStdString(), QDir::separator().toLatin1())));
}

QStringList ListeFichiers::selection() const
{
    QStringList noms;
    for (int i = 0; i < count(); ++i) {
        if (item(i)->isSelected())
            noms << item(i)->text();
    }
    return noms;
}

} // namespace velmaro
