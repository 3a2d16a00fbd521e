// Writes the seed corpora of the fuzz targets: small valid files of each
// kind, made here so that no sample file comes from elsewhere.
//   graines FOLDER  →  FOLDER/<target>/<seed>
#include "image-copier/tests/ecrivain_icones.hpp"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using Octets = std::vector<std::uint8_t>;
using namespace ostrelle::essais;

namespace {

void ecrire(const fs::path& dossier, const std::string& nom, const Octets& o)
{
    fs::create_directories(dossier);
    std::ofstream f(dossier / nom, std::ios::binary);
    f.write(reinterpret_cast<const char*>(o.data()), static_cast<std::streamsize>(o.size()));
}

void ecrire(const fs::path& dossier, const std::string& nom, const std::string& texte)
{
    ecrire(dossier, nom, Octets(texte.begin(), texte.end()));
}

// One record of every kind the player knows, with a 2 × 2, 24-bit bitmap.
Ecrivain metafichier()
{
    Ecrivain e;
    e.enr(0x020B, {0, 0}).enr(0x020C, {200, 320});              // window origin and extent
    e.enr(0x02FA, {0, 3, 0, 0x00FF, 0});                          // pen: solid, 3 px, red
    e.enr(0x02FC, {0, 0x8000, 0x0040, 0}).enr(0x02FC, {2, 0x0080, 0x0000, 5}); // solid and hatched brushes
    e.enr(0x012D, {0}).enr(0x012D, {1});                          // SelectObject
    e.enr(0x041B, {150, 200, 20, 10}).enr(0x0418, {190, 300, 100, 180}); // Rectangle, Ellipse
    e.enr(0x012D, {2}).enr(0x061C, {150, 200, 90, 60, 30, 40});   // RoundRect
    e.enr(0x0214, {10, 10}).enr(0x0213, {190, 310});              // MoveTo, LineTo
    e.enr(0x0324, {3, 20, 180, 60, 120, 100, 180});               // Polygon
    e.enr(0x0817, {60, 100, 10, 200, 100, 300, 20, 100});         // Arc
    e.enr(0x0201, {0xFFFF, 0x00FF}).enr(0x0102, {1});             // background colour, transparent
    e.enr(0x02FB, {20, 0, 0, 0, 700, 0x0001, 0, 0}, {'T' | 'i' << 8, 'm' | 'e' << 8, 's' | ' ' << 8, 0}); // font
    e.enr(0x012D, {3}).enr(0x0521, {6, 'B' | 'o' << 8, 'n' | 'j' << 8, 'o' | 'u' << 8, 40, 30}); // TextOut
    e.enr(0x01F0, {0});                                           // DeleteObject
    const Octets bitmap = {40, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0, 16, 0, 0, 0, 0, 0, 0, 0,
                           0,  0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 255, 0, 255, 0, 0, 0, 255, 0, 0, 255, 255, 255, 0, 0};
    Octets stretch = mots({0x0020, 0x00CC, 0, 2, 2, 0, 0, 40, 40, 250, 150}, bitmap); // StretchDIB
    return e.brut(0x0F43, stretch);
}

std::string avecNul(const std::string& a, const std::string& b)
{
    std::string s = a;
    s += '\0';
    s += b;
    return s;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: graines FOLDER\n");
        return 2;
    }
    const fs::path racine = argv[1];

    const fs::path icones = racine / "fuzz_icones";
    ecrire(icones, "simple.ico", fichierIco({dib(32, 32), dib(16, 16, 0xFF00FF00u, 8)}));
    ecrire(icones, "png.ico", fichierIco({enTetePng(256, 256), dib(48, 48)}));
    ecrire(icones, "programme.exe", fichierPe({{1, {dib(32, 32), dib(16, 16)}}, {std::string("APP"), {dib(48, 48)}}}));
    ecrire(icones, "programme64.dll", fichierPe({{std::string("B"), {dib(32, 32)}}, {7, {enTetePng(64, 64)}}}, true));
    ecrire(icones, "bibliotheque.icl", fichierNe({{1, {dib(32, 32)}}, {std::string("DEUX"), {dib(16, 16)}}}));

    const fs::path meta = racine / "fuzz_metafichier";
    ecrire(meta, "placeable.wmf", metafichier().placable(0, 0, 320, 200, 1440));
    ecrire(meta, "simple.wmf", metafichier().simple());

    const fs::path profil = racine / "fuzz_profil";
    ecrire(profil, "somnelle.ini",
           avecNul("[MOTIF]\r\nRonds=Oui\r\nDoubles=Non\r\nAnimation=Non\r\n", avecNul("MOTIF", avecNul("Fin", "Oui"))));
    ecrire(profil, "commentaires.ini",
           avecNul("; réglages\n[Autre]\nCle = \"valeur\" \n\n[motif]\nanimation=oui\n", avecNul("MOTIF", avecNul("Noir", "Non"))));
    ecrire(profil, "vide.ini", std::string());

    const fs::path date = racine / "fuzz_date";
    ecrire(date, "paris", std::string("\x00", 1) + "10/04/01 19:32:24");
    ecrire(date, "sans-secondes", std::string("\x00", 1) + "29/2/2000 7:05");
    ecrire(date, "mois-en-lettres", std::string("\x00", 1) + "3 août 1999");
    ecrire(date, "americain", std::string("\x01", 1) + "4/10/2001 7:32:24 PM");
    ecrire(date, "heure-seule", std::string("\x01", 1) + "12:00 AM");
    ecrire(date, "iso", std::string("\x02", 1) + "2001-04-10 19:32 p.m.");

    const fs::path saisie = racine / "fuzz_saisie";
    for (const char* t : {"4", "2.5", "0,5", "-5", "2000", "Cent.", "1e3", " 60 "})
        ecrire(saisie, std::string("s") + std::to_string(std::hash<std::string>{}(t) % 100000), std::string(t));
    return 0;
}
