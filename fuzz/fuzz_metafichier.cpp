// Windows metafiles: read and played onto a canvas that draws nothing.
#include "image-copier/core/metafichier.hpp"

#include <cstddef>
#include <cstdint>

namespace {

using namespace ostrelle;

class CanevasMuet : public Canevas {
public:
    void decoupe(const Decoupe&) override {}
    void ligne(const std::vector<PointD>&, const Trace&) override {}
    void polygones(const std::vector<std::vector<PointD>>&, const Trace&) override {}
    void rectangle(const RectD&, double, double, const Trace&) override {}
    void ellipse(const RectD&, const Trace&) override {}
    void arc(const RectD&, double, double, GenreArc, const Trace&) override {}
    double texte(const Texte& t, const Police&, const Trace&) override { return 8.0 * static_cast<double>(t.utf8.size()); }
    void pixel(const PointD&, Couleur) override {}
    void image(const RectD&, const Dib&, double, double, double, double, std::uint32_t) override {}
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille)
{
    std::string erreur;
    const auto mf = Metafichier::lire(std::vector<std::uint8_t>(donnees, donnees + taille), &erreur);
    if (mf) {
        CanevasMuet canevas;
        mf->jouer(canevas, 320, 200);
    }
    (void)lireDib(donnees, taille);
    return 0;
}
