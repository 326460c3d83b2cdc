#include "monitor/server/win/stats_server_win.h"

#include "common/socket/socket_process_win.h"

namespace skel::monitor::win {

StatsServerWin::StatsServerWin(std::function<HWND()> owner,
                               std::function<HWND(const std::string&)> control)
    : sockets(socket::win::ProcessSocketModule()), window(std::move(owner), std::move(control)) {}

std::unique_ptr<StatsServerWin> AttachStatsServerWin(
    MainForm& form, StatsSampler& sampler, FileCacheSource& fileCache,
    std::function<void()> runCleaner, std::function<HWND()> owner,
    std::function<HWND(const std::string&)> control, const std::string& programFolder) {
  auto parts = std::make_unique<StatsServerWin>(std::move(owner), std::move(control));
  StatsServerPorts ports;
  ports.service.sampler = &sampler;
  ports.service.fileCache = &fileCache;
  ports.service.runCleaner = std::move(runCleaner);
  ports.sockets = &parts->sockets;
  ports.files = &parts->files;
  ports.window = &parts->window;
  ports.programFolder = programFolder;
  parts->server = AttachStatsServer(form, std::move(ports));
  return parts;
}

}  // namespace skel::monitor::win
