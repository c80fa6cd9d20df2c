#pragma once

// Shared by the tests that talk to the loopback servers started by tests/net/servers.sh.
#include <QFile>
#include <QSslCertificate>
#include <QString>
#include <QtGlobal>

#include <gtest/gtest.h>

#include <string>

namespace narrix::net::testing {

inline constexpr int kHttpPort = 18481;
inline constexpr int kTlsPort = 18482;
inline constexpr int kSilentPort = 18483;
inline constexpr int kPop3GarbagePort = 18484;
inline constexpr int kPop3DropPort = 18485;
inline constexpr int kPop3StallPort = 18486; // stops answering halfway through RETR
inline constexpr int kPop3LyingPort = 18487; // claims 100,000,000 messages, answers at once
inline constexpr int kProxyPort = 18488;
inline constexpr int kClosedPort = 18489; // nothing listens here
inline constexpr int kPop3Port = 18410;

inline std::string http(const std::string& path)
{
    return "http://127.0.0.1:" + std::to_string(kHttpPort) + path;
}

inline std::string https(const std::string& path)
{
    return "https://localhost:" + std::to_string(kTlsPort) + path;
}

// The CA that signed the test servers' certificate.
inline QList<QSslCertificate> testCa()
{
    const QString runtime = qEnvironmentVariable("NARRIX_TEST_RUNTIME");
    QFile file(runtime + QStringLiteral("/net/ca.pem"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QSslCertificate::fromData(file.readAll(), QSsl::Pem);
}

} // namespace narrix::net::testing
