#pragma once
// The Win32 calls of the platform layer, without Qt, so that they are built
// and tested as Windows programs on their own. Text is UTF-8 on this side and
// UTF-16 (wchar_t is 16 bits on Windows) towards the system, so that file
// names outside the ANSI code page reach the file they name.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmaro::win32 {

std::wstring versUtf16(std::string_view utf8);
std::string versUtf8(std::wstring_view utf16);

// A failed call: the system's error number and its text.
struct Echec {
    unsigned long code = 0;
    std::string texte;
};

// The system's text for an error number, without its line end: in French
// where the system has it, in the system's language otherwise.
std::string texteErreur(unsigned long code);

// Opens an existing file for writing (sharing reads and writes) and sets its
// creation and last-write times, in 100 ns since 1601-01-01 UTC; a time of 0
// and the last-access time are left as they are. A file with the read-only
// attribute is refused with "Le fichier est en lecture seule".
std::optional<Echec> ecrireTempsFichier(std::string_view chemin, std::uint64_t creation, std::uint64_t ecriture);

struct ValeurRegistre {
    std::uint32_t type = 0;
    std::string donnees; // as stored, at most 1024 bytes; strings in the ANSI code page
};

// One value of the registry, read-only. The root is given by its 32-bit
// number (HKEY_LOCAL_MACHINE = 0x80000002); the key and value names are in
// the ANSI code page, as the values' strings are. Nothing when the key or the
// value is missing, can't be read or is larger than 1024 bytes.
std::optional<ValeurRegistre> lireRegistre(std::uint32_t racine, std::string_view cle, std::string_view nom);

// The command line that hands these arguments over unchanged to a program
// that splits its line as the C run time and CommandLineToArgvW do.
std::wstring ligneDeCommande(const std::vector<std::string>& arguments);

// Starts a file as the shell opens it (programs, and files that stand for
// one, such as a launcher file), in a normal window (SW_SHOWNORMAL), with
// its folder as working folder, without waiting for it.
std::optional<Echec> lancer(std::string_view fichier, const std::vector<std::string>& arguments);

// The names of a folder's files: every entry that is not a folder and has no
// hidden attribute, in the system's order; empty when the folder can't be read.
std::vector<std::string> nomsDeFichiers(std::string_view dossier);

} // namespace velmaro::win32
