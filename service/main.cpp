// kivo-service: the list search service. Loads the lists, binds, serves until SIGTERM or SIGINT;
// SIGHUP reloads the lists while requests go on being served with the old ones.

#include "ListFolder.h"
#include "ListIndex.h"
#include "ListServer.h"
#include "ServiceOptions.h"

#include <chrono>
#include <csignal>
#include <iostream>
#include <pthread.h>
#include <thread>

using namespace kivo::service;

namespace {

std::shared_ptr<const ListIndex> LoadIndex(const ListFolderOptions& options, ListServer* server)
{
    const auto started = std::chrono::steady_clock::now();
    LoadedLists loaded = LoadListFolder(options);
    auto index = std::make_shared<const ListIndex>(std::move(loaded.lists));
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - started;
    std::string summary = "lists loaded in " + std::to_string(static_cast<long>(took.count())) + " ms: " +
                          std::to_string(index->lists().entries.size()) + " entries, " +
                          std::to_string(index->nameCount()) + " searchable names";
    for (const auto& [list, date] : index->lists().dates) summary += ", " + list + " " + date;
    for (const auto& note : loaded.notes) summary += "; " + note;
    if (server) server->Log(summary);
    else std::cerr << summary << std::endl;
    return index;
}

// Waits for the signals that the other threads block.
void HandleSignals(const sigset_t& signals, ListServer& server, const ListFolderOptions& lists)
{
    for (;;) {
        int signal = 0;
        if (sigwait(&signals, &signal) != 0) continue;
        if (signal == SIGHUP) {
            try {
                server.ReplaceIndex(LoadIndex(lists, &server));
            } catch (const std::exception& e) {
                server.Log(std::string("reload failed, the previous lists stay in use: ") + e.what());
            }
            continue;
        }
        server.Log(signal == SIGUSR1 ? "stopping" : "stopping on signal " + std::to_string(signal));
        server.Stop();
        return;
    }
}

}  // namespace

int main(int argc, char** argv)
{
    ServiceOptions options;
    try {
        options = ParseServiceOptions(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::exception& e) {
        std::cerr << "kivo-service: " << e.what() << "\n" << ServiceUsage();
        return 2;
    }
    if (options.showHelp) { std::cout << ServiceUsage(); return 0; }

    // Blocked here, so every thread started later has them blocked and sigwait receives them.
    sigset_t signals;
    sigemptyset(&signals);
    for (int s : {SIGHUP, SIGTERM, SIGINT, SIGUSR1}) sigaddset(&signals, s);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    std::shared_ptr<const ListIndex> index;
    try {
        index = LoadIndex(options.lists, nullptr);
    } catch (const std::exception& e) {
        std::cerr << "kivo-service: cannot load the lists: " << e.what() << std::endl;
        return 1;
    }
    ListServer server(options, index, std::cerr);
    if (!server.Bind()) {
        std::cerr << "kivo-service: cannot listen on " << options.address << ":" << options.port << std::endl;
        return 1;
    }
    server.Log("listening on http://" + options.address + ":" + std::to_string(server.port()) + kServicePath +
               " namespace " + options.endpoint.serviceNamespace);
    std::thread signalThread(HandleSignals, std::cref(signals), std::ref(server), std::cref(options.lists));
    server.Run();
    // Run also ends when listening fails; wake the signal thread so that it can be joined.
    pthread_kill(signalThread.native_handle(), SIGUSR1);
    signalThread.join();
    server.Log("stopped");
    return 0;
}
