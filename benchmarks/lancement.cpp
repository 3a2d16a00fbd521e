#include "benchmarks/lancement.hpp"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace velmaro::mesures {

std::string dossierProgrammes()
{
    return std::filesystem::read_symlink("/proc/self/exe").parent_path().string();
}

std::string plateformeEcran(int largeur, int hauteur)
{
    const auto chemin = std::filesystem::temp_directory_path() /
                        ("velmaro-ecran-" + std::to_string(largeur) + "x" + std::to_string(hauteur) + ".json");
    std::ofstream(chemin) << "{ \"screens\": [ { \"name\": \"ecran\", \"x\": 0, \"y\": 0, \"width\": " << largeur
                          << ", \"height\": " << hauteur
                          << ", \"logicalDpi\": 96, \"logicalBaseDpi\": 96, \"dpr\": 1 } ] }\n";
    return "offscreen:configfile=" + chemin.string();
}

Lancement lancer(const std::string& programme, const std::vector<std::string>& arguments,
                 const std::map<std::string, std::string>& environnement, double limiteS)
{
    Lancement r;
    std::map<std::string, std::string> env;
    for (char** e = environ; *e; ++e) {
        const char* egal = std::strchr(*e, '=');
        if (egal)
            env[std::string(*e, static_cast<std::size_t>(egal - *e))] = egal + 1;
    }
    env["QT_QPA_PLATFORM"] = "offscreen";
    for (const auto& [cle, valeur] : environnement)
        env[cle] = valeur;
    std::vector<std::string> lignesEnv;
    for (const auto& [cle, valeur] : env)
        lignesEnv.push_back(cle + "=" + valeur);
    std::vector<char*> envp;
    for (std::string& l : lignesEnv)
        envp.push_back(l.data());
    envp.push_back(nullptr);
    std::vector<std::string> args{programme};
    args.insert(args.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    int tube[2];
    if (pipe2(tube, O_CLOEXEC) != 0)
        return r;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, tube[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);

    pid_t pid = 0;
    const auto debut = std::chrono::steady_clock::now();
    const int echec = posix_spawn(&pid, programme.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(tube[1]);
    if (echec != 0) {
        close(tube[0]);
        return r;
    }
    const auto limite = debut + std::chrono::duration<double>(limiteS);
    char tampon[4096];
    for (;;) {
        const auto reste = std::chrono::duration_cast<std::chrono::milliseconds>(limite - std::chrono::steady_clock::now());
        if (reste.count() <= 0) {
            kill(pid, SIGKILL);
            break;
        }
        pollfd p{tube[0], POLLIN, 0};
        if (poll(&p, 1, static_cast<int>(reste.count())) <= 0)
            continue;
        const ssize_t n = read(tube[0], tampon, sizeof tampon);
        if (n <= 0)
            break;
        r.sortie.append(tampon, static_cast<std::size_t>(n));
    }
    close(tube[0]);
    int etat = 0;
    rusage usage{};
    wait4(pid, &etat, 0, &usage);
    const auto fin = std::chrono::steady_clock::now();
    r.murMs = std::chrono::duration<double, std::milli>(fin - debut).count();
    r.code = WIFEXITED(etat) ? WEXITSTATUS(etat) : -1;
    r.memoireMiB = static_cast<double>(usage.ru_maxrss) / 1024.0;
    r.cpuMs = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000.0 +
              (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000.0;

    std::istringstream lignes(r.sortie);
    std::string ligne;
    while (std::getline(lignes, ligne)) {
        long long peinture = 0;
        int minuteurs = 0, reveils = 0;
        double cpu = 0;
        if (std::sscanf(ligne.c_str(), "velmaro-mesure peinture %lld cpu %lf", &peinture, &cpu) == 2) {
            const auto origine = std::chrono::duration_cast<std::chrono::nanoseconds>(debut.time_since_epoch()).count();
            r.peintureMs = static_cast<double>(peinture - origine) / 1e6;
            r.cpuPeintureMs = cpu;
        } else if (std::sscanf(ligne.c_str(), "velmaro-mesure minuteurs %d reveils %d cpu %lf", &minuteurs, &reveils,
                               &cpu) == 3) {
            r.minuteurs = minuteurs;
            r.reveils = reveils;
            r.cpuFenetreMs = cpu;
        }
    }
    return r;
}

} // namespace velmaro::mesures
