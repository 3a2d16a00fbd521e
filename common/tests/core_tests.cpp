#include "common/core/ansi.hpp"
#include "common/core/arrondi.hpp"
#include "common/core/chemin.hpp"
#include "common/core/vbstyle.hpp"

#include <gtest/gtest.h>

using namespace velmaro;

TEST(RegleDesChemins, UnSeparateurSeulementSiAbsent)
{
    struct Cas { const char* dossier; char sep; const char* attendu; } cas[] = {
        {"C:\\VB\\Outils", '\\', "C:\\VB\\Outils\\copy.pif"},
        {"C:\\", '\\', "C:\\copy.pif"},
        {"C:/", '\\', "C:/copy.pif"},
        {"/opt/a\\", '/', "/opt/a\\/copy.pif"},
        {"/opt/velmaro", '/', "/opt/velmaro/copy.pif"},
        {"/", '/', "/copy.pif"},
        {"/home/jo/mes programmes/", '/', "/home/jo/mes programmes/copy.pif"},
        {"", '/', "/copy.pif"},
    };
    for (const auto& c : cas)
        EXPECT_EQ(joindreChemin(c.dossier, "copy.pif", c.sep), c.attendu) << c.dossier;
}

TEST(ArrondiPair, UneMoitieVaAuVoisinPair)
{
    const std::pair<double, double> cas[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {3.5, 4}, {-0.5, 0},
                                             {-1.5, -2}, {2.4999, 2}, {2.5001, 3}, {59.5, 60}};
    for (auto [x, attendu] : cas)
        EXPECT_EQ(arrondiPair(x), attendu) << x;
}

TEST(StyleVb, DecodeIconeBoutonsDefautEtModalite)
{
    struct Cas {
        int style;
        IconeVb icone;
        std::vector<ReponseVb> boutons;
        int defaut;
        bool systeme;
        int echap;
    } cas[] = {
        {0, IconeVb::Aucune, {vbOK}, 0, false, vbOK},
        {16 + 1, IconeVb::Stop, {vbOK, vbCancel}, 0, false, vbCancel},
        {32 + 2 + 512, IconeVb::Question, {vbAbort, vbRetry, vbIgnore}, 2, false, 0},
        {4387, IconeVb::Question, {vbYes, vbNo, vbCancel}, 1, true, vbCancel},
        {4675, IconeVb::Information, {vbYes, vbNo, vbCancel}, 2, true, vbCancel},
        {48 + 4 + 256, IconeVb::Exclamation, {vbYes, vbNo}, 1, false, 0},
        {5, IconeVb::Aucune, {vbRetry, vbCancel}, 0, false, vbCancel},
        // A third default on a two-button set, or an unknown set, fall back.
        {4 + 512, IconeVb::Aucune, {vbYes, vbNo}, 0, false, 0},
        {7, IconeVb::Aucune, {vbOK}, 0, false, vbOK},
        {53, IconeVb::Exclamation, {vbRetry, vbCancel}, 0, false, vbCancel},
    };
    for (const auto& c : cas) {
        const StyleVb s = decoderStyle(c.style);
        EXPECT_EQ(s.icone, c.icone) << c.style;
        EXPECT_EQ(s.boutons, c.boutons) << c.style;
        EXPECT_EQ(s.boutonParDefaut, c.defaut) << c.style;
        EXPECT_EQ(s.systemeModal, c.systeme) << c.style;
        EXPECT_EQ(static_cast<int>(s.reponseEchap), c.echap) << c.style;
    }
}

TEST(TexteAnsi, PageDeCodeDansLesDeuxSens)
{
    struct Cas { const char* nom; std::string utf8, ansi, retour; } cas[] = {
        {"ASCII", "Abc 123 ~\x7F", "Abc 123 ~\x7F", "Abc 123 ~\x7F"},
        {"deux octets", "été À ÿ", "\xE9t\xE9 \xC0 \xFF", "été À ÿ"},
        {"trois octets de la page", "€ “x” – œ ™", "\x80 \x93x\x94 \x96 \x9C \x99", "€ “x” – œ ™"},
        {"trois octets hors de la page", "日本 ✓", "?? ?", "?? ?"},
        {"quatre octets", "\xF0\x9F\x98\x80!", "?!", "?!"},
        {"octets non attribués gardés", "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D", "\x81\x8D\x8F\x90\x9D",
         "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D"},
        {"U+0080, que la page n'a pas", "\xC2\x80", "?", "?"},
        {"séquence coupée par la fin", "a\xE2\x82", "a??", "a??"},
        {"suite manquante", "\xC3(", "?(", "?("},
        {"suite isolée", "\x80x", "?x", "?x"},
        {"octet jamais valide", "a\xFF" "b", "a?b", "a?b"},
    };
    for (const auto& c : cas) {
        EXPECT_EQ(utf8VersAnsi(c.utf8), c.ansi) << c.nom;
        EXPECT_EQ(ansiVersUtf8(c.ansi), c.retour) << c.nom;
    }
    // Every byte goes both ways.
    for (int b = 0; b < 256; ++b) {
        const std::string octet(1, static_cast<char>(b));
        EXPECT_EQ(utf8VersAnsi(ansiVersUtf8(octet)), octet) << b;
    }
    const std::pair<char32_t, const char*> points[] = {
        {U'A', "A"}, {U'\u0080', "\xC2\x80"}, {U'\u00E9', "\xC3\xA9"}, {U'\u07FF', "\xDF\xBF"}, {U'\u0800', "\xE0\xA0\x80"},
        {U'\uFFFD', "\xEF\xBF\xBD"}, {U'\U00010000', "\xF0\x90\x80\x80"}, {U'\U0001F600', "\xF0\x9F\x98\x80"}};
    for (auto [point, octets] : points) {
        std::string s;
        ajouterUtf8(s, point);
        EXPECT_EQ(s, octets) << static_cast<unsigned>(point);
    }
}
