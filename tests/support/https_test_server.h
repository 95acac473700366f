// An HTTPS server on 127.0.0.1 for download tests, with a self-signed certificate made when it
// starts. Every request goes to one handler; the server records the requests' targets and the
// client ports they came from (one port per TCP connection).
#pragma once

#include <httplib.h>

#include <filesystem>
#include <functional>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace testing_support {

// Writes a fresh P-256 key and a self-signed CA certificate for localhost and 127.0.0.1 into
// AFolder as key.pem and cert.pem.
void WriteSelfSignedCertificate(const std::filesystem::path& AFolder);

class THttpsTestServer {
 public:
  using THandler = std::function<void(const httplib::Request&, httplib::Response&)>;

  // Certificates go into AFolder; the server listens until destroyed.
  THttpsTestServer(const std::filesystem::path& AFolder, THandler AHandler);
  ~THttpsTestServer();
  THttpsTestServer(const THttpsTestServer&) = delete;
  THttpsTestServer& operator=(const THttpsTestServer&) = delete;

  // "https://127.0.0.1:PORT"
  std::string Base() const;
  std::string CaFile() const { return (FFolder / "cert.pem").string(); }
  // The request targets (path and query as sent) in arrival order.
  std::vector<std::string> Targets() const;
  std::size_t ConnectionCount() const;

 private:
  std::filesystem::path FFolder;
  THandler FHandler;
  std::unique_ptr<httplib::SSLServer> FServer;
  int FPort = 0;
  std::thread FThread;
  mutable std::mutex FMutex;
  std::vector<std::string> FTargets;
  std::set<int> FClientPorts;
};

}  // namespace testing_support
