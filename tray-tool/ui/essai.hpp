#pragma once
// Stand-ins for demonstrations and end-to-end checks (--dry-run): power
// requests and program launches are printed on standard error, one line
// each, and nothing else happens.
#include "common/platform/services.hpp"

#include <cstdio>

namespace somnelle {

class PuissanceEssai : public velmaro::Power {
public:
    explicit PuissanceEssai(std::FILE* sortie = stderr) : sortie_(sortie) {}
    void shutdown() override;
    void reboot() override;

private:
    std::FILE* sortie_;
};

class LanceurEssai : public velmaro::Launcher {
public:
    explicit LanceurEssai(std::FILE* sortie = stderr) : sortie_(sortie) {}
    void start(const QString& programme, const QStringList& arguments = {}) override;
    void openUrl(const QUrl& adresse) override;

private:
    std::FILE* sortie_;
};

} // namespace somnelle
