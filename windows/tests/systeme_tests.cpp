// The platform layer's Win32 calls against the system itself.
#include "common/core/ansi.hpp"
#include "common/platform/win32/systeme.hpp"
#include "windows/tests/aide.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>

using namespace velmaro;
using velmaro::essais::DossierTemporaire;

namespace {

struct Temps {
    std::uint64_t creation = 0, acces = 0, ecriture = 0;
    bool operator==(const Temps&) const = default;
};

std::uint64_t valeur(const FILETIME& t) { return (std::uint64_t{t.dwHighDateTime} << 32) | t.dwLowDateTime; }

Temps lireTemps(const std::filesystem::path& p)
{
    HANDLE h = CreateFileW(p.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    EXPECT_NE(h, INVALID_HANDLE_VALUE) << p;
    FILETIME c{}, a{}, e{};
    GetFileTime(h, &c, &a, &e);
    CloseHandle(h);
    return {valeur(c), valeur(a), valeur(e)};
}

void creer(const std::filesystem::path& p) { std::ofstream(p, std::ios::binary) << "x"; }

// Whether the file system keeps a creation time of its own: Wine on Linux
// reports the last-write time as creation time.
bool creationGardee(const DossierTemporaire& d)
{
    const auto p = d.sous("sonde");
    creer(p);
    HANDLE h = CreateFileW(p.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    const FILETIME c{1, 0x01B00000}, e{2, 0x01C00000};
    SetFileTime(h, &c, nullptr, &e);
    CloseHandle(h);
    const bool gardee = lireTemps(p).creation == valeur(c);
    std::filesystem::remove(p);
    return gardee;
}

// 10 April 2001 17:32:24 UTC and 1 January 1980 00:00:00 UTC.
constexpr std::uint64_t avril2001 = 126316891440000000ULL;
constexpr std::uint64_t janvier1980 = 119600064000000000ULL;

} // namespace

TEST(TempsDeFichier, EcritsEtRelusParLeSysteme)
{
    DossierTemporaire d;
    enum class Etat { Normal, LectureSeule, OuvertSansPartage, Absent, Dossier };
    struct Cas {
        const char* nom;
        std::string fichier;
        Etat etat;
        std::uint64_t creation, ecriture;
        unsigned long erreur; // 0: written
    } cas[] = {
        {"les deux temps", "a.txt", Etat::Normal, avril2001, janvier1980, 0},
        {"création laissée quand 0", "b.txt", Etat::Normal, 0, avril2001, 0},
        {"écriture laissée quand 0", "c.txt", Etat::Normal, janvier1980, 0, 0},
        {"nom de la page 1252", "été à Noël.txt", Etat::Normal, avril2001, avril2001, 0},
        {"nom hors de la page 1252", "Ωμέγα 日本 \xF0\x9F\x98\x80.txt", Etat::Normal, avril2001, janvier1980, 0},
        {"lecture seule", "ro.txt", Etat::LectureSeule, avril2001, avril2001, ERROR_ACCESS_DENIED},
        {"ouvert ailleurs sans partage", "pris.txt", Etat::OuvertSansPartage, avril2001, avril2001,
         ERROR_SHARING_VIOLATION},
        {"fichier absent", "absent.txt", Etat::Absent, avril2001, avril2001, ERROR_FILE_NOT_FOUND},
        {"dossier absent", "absent\\x.txt", Etat::Absent, avril2001, avril2001, ERROR_PATH_NOT_FOUND},
        {"temps hors des temps de fichier", "d.txt", Etat::Normal, 1ULL << 63, avril2001, ERROR_INVALID_PARAMETER},
        {"tous les bits: « ne plus mettre à jour »", "e.txt", Etat::Normal, avril2001, ~0ULL,
         ERROR_INVALID_PARAMETER},
        {"un dossier", "dossier", Etat::Dossier, avril2001, avril2001, ERROR_ACCESS_DENIED},
    };
    const bool creation = creationGardee(d);
    if (!creation)
        std::printf("This file system keeps no creation time: creation times are not read back.\n");
    for (const auto& c : cas) {
        const auto p = d.sous(c.fichier);
        if (c.etat == Etat::Dossier)
            std::filesystem::create_directory(p);
        else if (c.etat != Etat::Absent)
            creer(p);
        if (c.etat == Etat::LectureSeule)
            SetFileAttributesW(p.c_str(), FILE_ATTRIBUTE_READONLY);
        HANDLE pris = c.etat == Etat::OuvertSansPartage
                          ? CreateFileW(p.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr)
                          : INVALID_HANDLE_VALUE;
        const Temps avant = c.etat == Etat::Absent ? Temps{} : lireTemps(p);

        const auto echec = win32::ecrireTempsFichier(d.utf8(c.fichier), c.creation, c.ecriture);

        if (pris != INVALID_HANDLE_VALUE)
            CloseHandle(pris);
        if (c.erreur == 0) {
            EXPECT_FALSE(echec) << c.nom << ": " << (echec ? echec->texte : "");
            const Temps apres = lireTemps(p);
            if (creation) {
                EXPECT_EQ(apres.creation, c.creation ? c.creation : avant.creation) << c.nom;
            }
            EXPECT_EQ(apres.ecriture, c.ecriture ? c.ecriture : avant.ecriture) << c.nom;
            EXPECT_EQ(apres.acces, avant.acces) << c.nom;
        } else {
            ASSERT_TRUE(echec) << c.nom;
            EXPECT_EQ(echec->code, c.erreur) << c.nom;
            // The system's own words, not a number; the suite's own for the attribute.
            EXPECT_EQ(echec->texte, c.etat == Etat::LectureSeule ? "Le fichier est en lecture seule"
                                                                 : win32::texteErreur(c.erreur))
                << c.nom;
            EXPECT_EQ(echec->texte.find("Erreur "), std::string::npos) << c.nom << ": " << echec->texte;
            if (c.etat != Etat::Absent) {
                EXPECT_EQ(lireTemps(p), avant) << c.nom;
            }
        }
    }
}

TEST(TexteErreur, EnFrancaisQuandLeSystemeLeSait)
{
    // Wine carries French texts (its own wording); a Windows without them
    // answers in its own language.
    wchar_t* tampon = nullptr;
    const DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                       FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, ERROR_FILE_NOT_FOUND, MAKELANGID(LANG_FRENCH, SUBLANG_FRENCH),
                                   reinterpret_cast<wchar_t*>(&tampon), 0, nullptr);
    std::string francais = n ? win32::versUtf8(std::wstring(tampon, n)) : std::string();
    LocalFree(tampon);
    while (!francais.empty() && (francais.back() == '\n' || francais.back() == '\r'))
        francais.pop_back();
    const std::string introuvable = win32::texteErreur(ERROR_FILE_NOT_FOUND);
    if (n) {
        EXPECT_EQ(introuvable, francais);
    }
    EXPECT_FALSE(introuvable.empty());
    EXPECT_EQ(introuvable.find('\n'), std::string::npos);
    EXPECT_EQ(win32::texteErreur(0xDEADBEEF), "Erreur 3735928559");
}

TEST(Registre, ValeursLuesSousLeursRacines)
{
    constexpr std::uint32_t hkcu = 0x80000001, hklm = 0x80000002;
    const char* cle = "Software\\Velmaro\\Essais";
    // Written with the system's own tool, as a user or an installer would.
    ASSERT_EQ(std::system("reg add HKCU\\Software\\Velmaro\\Essais /v Chemin /t REG_SZ "
                          "/d \"C:\\Outils\\MSINFO32.EXE\" /f >NUL"),
              0);
    ASSERT_EQ(std::system("reg add HKCU\\Software\\Velmaro\\Essais /v Nombre /t REG_DWORD /d 1234 /f >NUL"), 0);
    // What the tool can't write: a string without its NUL, a value too large.
    HKEY h = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, cle, 0, nullptr, 0, KEY_WRITE, nullptr, &h, nullptr), ERROR_SUCCESS);
    RegSetValueExA(h, "SansNul", 0, REG_SZ, reinterpret_cast<const BYTE*>("abc"), 3);
    const std::string grand(2000, 'g');
    RegSetValueExA(h, "Grand", 0, REG_BINARY, reinterpret_cast<const BYTE*>(grand.data()), 2000);
    RegSetValueExA(h, "Binaire", 0, REG_BINARY, reinterpret_cast<const BYTE*>("\1\2\0"), 3);
    RegCloseKey(h);

    struct Cas {
        const char* nom;
        std::uint32_t racine;
        const char* cle;
        const char* valeur;
        std::optional<win32::ValeurRegistre> attendu;
        bool nulAjoute = false; // Wine adds the missing NUL, Windows doesn't
    } cas[] = {
        {"chaîne, NUL compris", hkcu, cle, "Chemin", win32::ValeurRegistre{1, std::string("C:\\Outils\\MSINFO32.EXE\0", 23)}},
        {"nombre de 32 bits", hkcu, cle, "Nombre", win32::ValeurRegistre{4, std::string("\xD2\x04\0\0", 4)}},
        {"chaîne sans NUL", hkcu, cle, "SansNul", win32::ValeurRegistre{1, "abc"}, true},
        {"binaire tel quel", hkcu, cle, "Binaire", win32::ValeurRegistre{3, std::string("\1\2\0", 3)}},
        {"plus de 1024 octets", hkcu, cle, "Grand", std::nullopt},
        {"valeur absente", hkcu, cle, "Absente", std::nullopt},
        {"clé absente", hkcu, "Software\\Velmaro\\Absente", "Chemin", std::nullopt},
        {"autre racine", hklm, cle, "Chemin", std::nullopt},
        {"racine de la machine", hklm, "System\\CurrentControlSet\\Control\\Session Manager\\Environment", "OS",
         win32::ValeurRegistre{1, std::string("Windows_NT\0", 11)}},
    };
    for (const auto& c : cas) {
        const auto v = win32::lireRegistre(c.racine, c.cle, c.valeur);
        ASSERT_EQ(v.has_value(), c.attendu.has_value()) << c.nom;
        if (v) {
            EXPECT_EQ(v->type, c.attendu->type) << c.nom;
            const bool ajoute = c.nulAjoute && v->donnees == c.attendu->donnees + '\0';
            EXPECT_TRUE(v->donnees == c.attendu->donnees || ajoute) << c.nom << ": " << v->donnees.size();
        }
    }
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Velmaro");
}

TEST(Dossier, FichiersListesSansDossiersNiCaches)
{
    DossierTemporaire d;
    for (const char* nom : {"a.txt", "été.txt", "Ωμέγα \xF0\x9F\x98\x80.txt", ".point", "caché.txt", "système.sys"})
        creer(d.sous(nom));
    SetFileAttributesW(d.sous("caché.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesW(d.sous("système.sys").c_str(), FILE_ATTRIBUTE_SYSTEM);
    std::filesystem::create_directory(d.sous("sous-dossier"));
    creer(d.sous("sous-dossier\\dedans.txt"));
    // A name starting with a dot is hidden only if its attribute says so:
    // not on Windows, but Wine shows Linux's hidden files that way.
    std::vector<std::string> tous = {"a.txt", "système.sys", "été.txt", "Ωμέγα \xF0\x9F\x98\x80.txt"};
    if (!(GetFileAttributesW(d.sous(".point").c_str()) & FILE_ATTRIBUTE_HIDDEN))
        tous.insert(tous.begin(), ".point");
    std::string oblique = d.utf8();
    std::replace(oblique.begin(), oblique.end(), '\\', '/');
    struct Cas { const char* nom; std::string dossier; std::vector<std::string> attendu; } cas[] = {
        {"dossier", d.utf8(), tous},
        {"séparateur final", d.utf8() + "\\", tous},
        {"barres obliques", oblique, tous},
        {"sous-dossier", d.utf8("sous-dossier"), {"dedans.txt"}},
        {"dossier absent", d.utf8("absent"), {}},
        {"un fichier", d.utf8("a.txt"), {}},
    };
    for (const auto& c : cas) {
        auto noms = win32::nomsDeFichiers(c.dossier);
        std::sort(noms.begin(), noms.end());
        EXPECT_EQ(noms, c.attendu) << c.nom;
    }
}

TEST(PageDeCode1252, ConversionsCommeLeSysteme)
{
    // Every byte one way, then the first planes of Unicode the other way.
    for (int b = 0; b < 256; ++b) {
        const char octet = static_cast<char>(b);
        wchar_t large[2] = {};
        ASSERT_EQ(MultiByteToWideChar(1252, 0, &octet, 1, large, 2), 1);
        EXPECT_EQ(ansiVersUtf8(std::string(1, octet)), win32::versUtf8(std::wstring(1, large[0]))) << b;
    }
    for (char32_t c = 1; c < 0x3000; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF)
            continue;
        const wchar_t large = static_cast<wchar_t>(c);
        char octet = 0;
        BOOL remplace = FALSE;
        WideCharToMultiByte(1252, WC_NO_BEST_FIT_CHARS, &large, 1, &octet, 1, "?", &remplace);
        std::string utf8;
        ajouterUtf8(utf8, c);
        EXPECT_EQ(utf8VersAnsi(utf8), std::string(1, octet)) << std::hex << static_cast<unsigned>(c);
    }
    // A character beyond the basic plane is two 16-bit units on Windows, and one '?'.
    EXPECT_EQ(win32::versUtf16("\xF0\x9F\x98\x80").size(), 2u);
    EXPECT_EQ(utf8VersAnsi("\xF0\x9F\x98\x80"), "?");
}
