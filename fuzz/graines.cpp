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

// A metafile record: size in words, function, parameters.
void enregistrement(Octets& o, std::uint16_t fonction, const std::vector<std::uint16_t>& params)
{
    doubleMot(o, static_cast<std::uint32_t>(3 + params.size()));
    mot(o, fonction);
    for (auto p : params)
        mot(o, p);
}

Octets metafichier(bool placeable)
{
    Octets corps;
    enregistrement(corps, 0x020B, {0, 0});                  // SetWindowOrg
    enregistrement(corps, 0x020C, {200, 320});              // SetWindowExt
    enregistrement(corps, 0x02FA, {0, 3, 0, 0x00FF, 0});    // CreatePenIndirect: solid, 3 px, red
    enregistrement(corps, 0x02FC, {0, 0x8000, 0x0040, 0});  // CreateBrushIndirect: solid
    enregistrement(corps, 0x02FC, {2, 0x0080, 0x0000, 5});  // hatched brush
    enregistrement(corps, 0x012D, {0});
    enregistrement(corps, 0x012D, {1});
    enregistrement(corps, 0x041B, {150, 200, 20, 10});      // Rectangle
    enregistrement(corps, 0x0418, {190, 300, 100, 180});    // Ellipse
    enregistrement(corps, 0x012D, {2});
    enregistrement(corps, 0x061C, {150, 200, 90, 60, 30, 40}); // RoundRect
    enregistrement(corps, 0x0214, {10, 10});                // MoveTo
    enregistrement(corps, 0x0213, {190, 310});              // LineTo
    enregistrement(corps, 0x0324, {3, 20, 180, 60, 120, 100, 180}); // Polygon
    enregistrement(corps, 0x0817, {60, 100, 10, 200, 100, 300, 20, 100}); // Arc
    enregistrement(corps, 0x0201, {0xFFFF, 0x00FF});       // SetBkColor
    enregistrement(corps, 0x0102, {1});                     // SetBkMode transparent
    std::vector<std::uint16_t> police = {20, 0, 0, 0, 700, 0x0001, 0x0000, 0x0000};
    const char face[] = "Times New Roman";
    for (std::size_t i = 0; i < 32; i += 2)
        police.push_back(static_cast<std::uint16_t>((i < sizeof face ? face[i] : 0) |
                                                    ((i + 1 < sizeof face ? face[i + 1] : 0) << 8)));
    enregistrement(corps, 0x02FB, police);                  // CreateFontIndirect
    enregistrement(corps, 0x012D, {3});
    enregistrement(corps, 0x0521, {6, 'B' | 'o' << 8, 'n' | 'j' << 8, 'o' | 'u' << 8, 40, 30}); // TextOut
    enregistrement(corps, 0x01F0, {0});                     // DeleteObject
    // StretchDIB with a 2 × 2, 24-bit bitmap.
    std::vector<std::uint16_t> dib = {0x0020, 0x00CC, 0, 2, 2, 0, 0, 40, 40, 250, 150};
    const std::uint8_t bitmap[] = {40, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0, 16, 0, 0, 0,
                                   0,  0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                   0, 0, 255, 0, 255, 0, 0, 0, 255, 0, 0, 255, 255, 255, 0, 0};
    for (std::size_t i = 0; i < sizeof bitmap; i += 2)
        dib.push_back(static_cast<std::uint16_t>(bitmap[i] | bitmap[i + 1] << 8));
    enregistrement(corps, 0x0F43, dib);
    enregistrement(corps, 0x0000, {});                      // EOF

    Octets o;
    if (placeable) {
        const std::vector<std::uint16_t> entete = {0xCDD7, 0x9AC6, 0, 0, 0, 320, 200, 1440, 0, 0};
        std::uint16_t somme = 0;
        for (auto m : entete)
            somme ^= m;
        for (auto m : entete)
            mot(o, m);
        mot(o, somme);
    }
    mot(o, 1);
    mot(o, 9);
    mot(o, 0x0300);
    doubleMot(o, static_cast<std::uint32_t>((18 + corps.size()) / 2));
    mot(o, 4);
    doubleMot(o, 48);
    mot(o, 0);
    o.insert(o.end(), corps.begin(), corps.end());
    return o;
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
    ecrire(meta, "placeable.wmf", metafichier(true));
    ecrire(meta, "simple.wmf", metafichier(false));

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
