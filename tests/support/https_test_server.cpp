#include "support/https_test_server.h"

#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <stdexcept>

namespace testing_support {

namespace {

template <class T, void (*Free)(T*)>
struct TOpenSslDeleter {
  void operator()(T* AObject) const { Free(AObject); }
};
using TKey = std::unique_ptr<EVP_PKEY, TOpenSslDeleter<EVP_PKEY, EVP_PKEY_free>>;
using TCertificate = std::unique_ptr<X509, TOpenSslDeleter<X509, X509_free>>;

void Require(bool AOk, const char* AWhat) {
  if (!AOk) throw std::runtime_error(std::string("test certificate: ") + AWhat);
}

void AddExtension(X509* ACertificate, int ANid, const char* AValue) {
  X509V3_CTX context;
  X509V3_set_ctx_nodb(&context);
  X509V3_set_ctx(&context, ACertificate, ACertificate, nullptr, nullptr, 0);
  X509_EXTENSION* extension = X509V3_EXT_conf_nid(nullptr, &context, ANid, AValue);
  Require(extension != nullptr, "extension");
  X509_add_ext(ACertificate, extension, -1);
  X509_EXTENSION_free(extension);
}

void WritePem(const std::filesystem::path& APath, const std::function<int(std::FILE*)>& AWrite) {
  std::FILE* file = std::fopen(APath.c_str(), "wb");
  Require(file != nullptr, "open");
  int ok = AWrite(file);
  Require(std::fclose(file) == 0 && ok == 1, "write");
}

}  // namespace

void WriteSelfSignedCertificate(const std::filesystem::path& AFolder) {
  TKey key(EVP_EC_gen("P-256"));
  Require(key != nullptr, "key");
  TCertificate certificate(X509_new());
  X509* x509 = certificate.get();
  X509_set_version(x509, 2);
  ASN1_INTEGER_set(X509_get_serialNumber(x509), 1);
  X509_gmtime_adj(X509_getm_notBefore(x509), -60);
  X509_gmtime_adj(X509_getm_notAfter(x509), 24 * 3600);
  X509_set_pubkey(x509, key.get());
  X509_NAME* name = X509_get_subject_name(x509);
  X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC,
                             reinterpret_cast<const unsigned char*>("localhost"), -1, -1, 0);
  X509_set_issuer_name(x509, name);
  AddExtension(x509, NID_subject_alt_name, "DNS:localhost,IP:127.0.0.1");
  AddExtension(x509, NID_basic_constraints, "critical,CA:TRUE");
  Require(X509_sign(x509, key.get(), EVP_sha256()) > 0, "sign");
  WritePem(AFolder / "key.pem", [&](std::FILE* AFile) {
    return PEM_write_PrivateKey(AFile, key.get(), nullptr, nullptr, 0, nullptr, nullptr);
  });
  WritePem(AFolder / "cert.pem", [&](std::FILE* AFile) { return PEM_write_X509(AFile, x509); });
}

THttpsTestServer::THttpsTestServer(const std::filesystem::path& AFolder, THandler AHandler)
    : FFolder(AFolder), FHandler(std::move(AHandler)) {
  WriteSelfSignedCertificate(FFolder);
  FServer = std::make_unique<httplib::SSLServer>(CaFile().c_str(),
                                                 (FFolder / "key.pem").string().c_str());
  if (!FServer->is_valid()) throw std::runtime_error("test server: invalid TLS set-up");
  FServer->set_keep_alive_max_count(1000000);
  FServer->set_tcp_nodelay(true);
  FServer->Get(".*", [this](const httplib::Request& ARequest, httplib::Response& AResponse) {
    {
      std::lock_guard lock(FMutex);
      FTargets.push_back(ARequest.target);
      FClientPorts.insert(ARequest.remote_port);
    }
    FHandler(ARequest, AResponse);
  });
  FPort = FServer->bind_to_any_port("127.0.0.1");
  if (FPort <= 0) throw std::runtime_error("test server: cannot bind");
  FThread = std::thread([this] { FServer->listen_after_bind(); });
  while (!FServer->is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

THttpsTestServer::~THttpsTestServer() {
  FServer->stop();
  FThread.join();
}

std::string THttpsTestServer::Base() const {
  return "https://127.0.0.1:" + std::to_string(FPort);
}

std::vector<std::string> THttpsTestServer::Targets() const {
  std::lock_guard lock(FMutex);
  return FTargets;
}

std::size_t THttpsTestServer::ConnectionCount() const {
  std::lock_guard lock(FMutex);
  return FClientPorts.size();
}

}  // namespace testing_support
