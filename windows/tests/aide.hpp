#pragma once
// A folder of its own under the system's temporary folder, removed at the end.
#include <windows.h>

#include <filesystem>
#include <string>

namespace velmaro::essais {

class DossierTemporaire {
public:
    DossierTemporaire()
    {
        wchar_t base[MAX_PATH + 1] = {};
        GetTempPathW(MAX_PATH + 1, base);
        chemin_ = std::filesystem::path(base) /
                  (L"velmaro-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(compteur_++));
        std::filesystem::create_directories(chemin_);
    }
    ~DossierTemporaire()
    {
        std::error_code ec;
        for (const auto& e : std::filesystem::recursive_directory_iterator(chemin_, ec))
            SetFileAttributesW(e.path().c_str(), FILE_ATTRIBUTE_NORMAL);
        std::filesystem::remove_all(chemin_, ec);
    }
    DossierTemporaire(const DossierTemporaire&) = delete;
    DossierTemporaire& operator=(const DossierTemporaire&) = delete;

    const std::filesystem::path& chemin() const { return chemin_; }
    // The path of a name inside, in UTF-8 with backslashes.
    std::string utf8(const std::string& nom = {}) const
    {
        const std::u8string s = (nom.empty() ? chemin_ : chemin_ / std::u8string(nom.begin(), nom.end())).u8string();
        return std::string(s.begin(), s.end());
    }
    std::filesystem::path sous(const std::string& nom) const
    {
        return chemin_ / std::u8string(nom.begin(), nom.end());
    }

private:
    std::filesystem::path chemin_;
    static inline int compteur_ = 0;
};

} // namespace velmaro::essais
