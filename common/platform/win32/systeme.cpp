#include "common/platform/win32/systeme.hpp"

#include "common/core/chemin.hpp"

#include <windows.h>
#include <shellapi.h>

namespace velmaro::win32 {

std::wstring versUtf16(std::string_view utf8)
{
    if (utf8.empty())
        return {};
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring s(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), s.data(), n);
    return s;
}

std::string versUtf8(std::wstring_view utf16)
{
    if (utf16.empty())
        return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), nullptr, 0,
                                      nullptr, nullptr);
    std::string s(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), s.data(), n, nullptr, nullptr);
    return s;
}

std::string texteErreur(unsigned long code)
{
    // In French, as the suite's windows speak, where the system has the
    // French texts; in the system's language otherwise.
    std::wstring texte;
    for (const DWORD langue : {DWORD{MAKELANGID(LANG_FRENCH, SUBLANG_FRENCH)}, DWORD{0}}) {
        wchar_t* tampon = nullptr;
        const DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                           FORMAT_MESSAGE_IGNORE_INSERTS,
                                       nullptr, code, langue, reinterpret_cast<wchar_t*>(&tampon), 0, nullptr);
        if (n)
            texte.assign(tampon, n);
        if (tampon)
            LocalFree(tampon);
        if (n)
            break;
    }
    while (!texte.empty() && (texte.back() == L'\r' || texte.back() == L'\n' || texte.back() == L' '))
        texte.pop_back();
    return texte.empty() ? "Erreur " + std::to_string(code) : versUtf8(texte);
}

namespace {

Echec echec(DWORD code) { return Echec{code, texteErreur(code)}; }

FILETIME versFileTime(std::uint64_t t)
{
    return FILETIME{static_cast<DWORD>(t), static_cast<DWORD>(t >> 32)};
}

} // namespace

std::optional<Echec> ecrireTempsFichier(std::string_view chemin, std::uint64_t creation, std::uint64_t ecriture)
{
    // File times stop at 2^63; above, SetFileTime refuses them, or takes
    // all ones for "stop updating this time" and reports success.
    constexpr std::uint64_t limite = std::uint64_t{1} << 63;
    if (creation >= limite || ecriture >= limite)
        return echec(ERROR_INVALID_PARAMETER);
    // The wide calls: the ANSI ones would turn a name outside the code page
    // into question marks and miss the file.
    const std::wstring nom = versUtf16(chemin);
    // The read-only attribute refuses the write to everybody, as it does on
    // Windows, also where the system would let an administrator through.
    const DWORD attributs = GetFileAttributesW(nom.c_str());
    if (attributs != INVALID_FILE_ATTRIBUTES && (attributs & FILE_ATTRIBUTE_READONLY))
        return Echec{ERROR_ACCESS_DENIED, "Le fichier est en lecture seule"};
    HANDLE h = CreateFileW(nom.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return echec(GetLastError());
    const FILETIME c = versFileTime(creation);
    const FILETIME e = versFileTime(ecriture);
    // A null pointer leaves a time as it is: the access time always, the others when 0.
    const BOOL ok = SetFileTime(h, creation ? &c : nullptr, nullptr, ecriture ? &e : nullptr);
    const DWORD erreur = GetLastError();
    CloseHandle(h);
    if (!ok)
        return echec(erreur);
    return std::nullopt;
}

std::optional<ValeurRegistre> lireRegistre(std::uint32_t racine, std::string_view cle, std::string_view nom)
{
    // Root handles are negative 32-bit numbers, sign-extended on 64-bit Windows.
    const HKEY base = reinterpret_cast<HKEY>(static_cast<LONG_PTR>(static_cast<LONG>(racine)));
    HKEY h = nullptr;
    // Read access only: full access to HKEY_LOCAL_MACHINE is refused to ordinary users.
    if (RegOpenKeyExA(base, std::string(cle).c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS)
        return std::nullopt;
    DWORD type = 0;
    char tampon[1024] = {};
    DWORD taille = sizeof tampon;
    const LONG r = RegQueryValueExA(h, std::string(nom).c_str(), nullptr, &type, reinterpret_cast<BYTE*>(tampon),
                                    &taille);
    RegCloseKey(h);
    if (r != ERROR_SUCCESS || taille > sizeof tampon)
        return std::nullopt;
    return ValeurRegistre{type, std::string(tampon, taille)};
}

std::wstring ligneDeCommande(const std::vector<std::string>& arguments)
{
    std::wstring ligne;
    for (const std::string& argument : arguments) {
        const std::wstring a = versUtf16(argument);
        if (!ligne.empty())
            ligne += L' ';
        if (!a.empty() && a.find_first_of(L" \t\n\v\"") == std::wstring::npos) {
            ligne += a;
            continue;
        }
        // Quoted: backslashes double only before a quote, the closing one included.
        ligne += L'"';
        std::size_t barres = 0;
        for (const wchar_t c : a) {
            if (c == L'\\') {
                ++barres;
                continue;
            }
            ligne.append(c == L'"' ? 2 * barres + 1 : barres, L'\\');
            barres = 0;
            ligne += c;
        }
        ligne.append(2 * barres, L'\\');
        ligne += L'"';
    }
    return ligne;
}

std::optional<Echec> lancer(std::string_view fichier, const std::vector<std::string>& arguments)
{
    const std::wstring nom = versUtf16(fichier);
    const std::wstring parametres = ligneDeCommande(arguments);
    std::wstring dossier = nom;
    const auto fin = dossier.find_last_of(L"\\/");
    dossier = fin == std::wstring::npos ? std::wstring() : dossier.substr(0, fin == 2 && dossier[1] == L':' ? 3 : fin);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    // The error comes back to the caller instead of a system dialog.
    info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
    info.lpFile = nom.c_str();
    info.lpParameters = parametres.empty() ? nullptr : parametres.c_str();
    info.lpDirectory = dossier.empty() ? nullptr : dossier.c_str();
    info.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExW(&info))
        return echec(GetLastError());
    return std::nullopt;
}

std::vector<std::string> nomsDeFichiers(std::string_view dossier)
{
    std::vector<std::string> noms;
    const std::wstring motif = versUtf16(joindreChemin(std::string(dossier), "*", '\\'));
    WIN32_FIND_DATAW entree{};
    // The basic level skips the short 8.3 names, the large fetch asks for
    // many entries at a time: both count in folders of many thousand files.
    HANDLE h = FindFirstFileExW(motif.c_str(), FindExInfoBasic, &entree, FindExSearchNameMatch, nullptr,
                                FIND_FIRST_EX_LARGE_FETCH);
    if (h == INVALID_HANDLE_VALUE)
        return noms;
    do {
        if (!(entree.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN)))
            noms.push_back(versUtf8(entree.cFileName));
    } while (FindNextFileW(h, &entree));
    FindClose(h);
    return noms;
}

} // namespace velmaro::win32
