#pragma once
// The user's home moved into a folder of the test while the object lives, so that the documents
// folder Qt names is "<home>/Documents", with no user-dirs file to say otherwise.
#include <QFile>
#include <QString>

namespace testing_support {

class HomeFolder {
  public:
    explicit HomeFolder(const QString& folder)
        : m_home(qgetenv("HOME")), m_config(qgetenv("XDG_CONFIG_HOME")) {
        qputenv("HOME", QFile::encodeName(folder));
        qunsetenv("XDG_CONFIG_HOME");
    }
    ~HomeFolder() {
        qputenv("HOME", m_home);
        if (!m_config.isEmpty()) qputenv("XDG_CONFIG_HOME", m_config);
    }

  private:
    QByteArray m_home;
    QByteArray m_config;
};

}  // namespace testing_support
