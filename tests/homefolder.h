#pragma once
// The user's home moved into a folder of the test while the object lives, so that the documents
// folder Qt names is "<home>/Documents", with no user-dirs file to say otherwise. Windows names
// these folders from the account whatever the environment: a window's save locations are given
// folders() instead.
#include <QFile>
#include <QString>

#include "platform/folders.h"

namespace testing_support {

class HomeFolder {
  public:
    explicit HomeFolder(const QString& folder)
        : m_folder(folder), m_home(qgetenv("HOME")), m_config(qgetenv("XDG_CONFIG_HOME")) {
        qputenv("HOME", QFile::encodeName(folder));
        qunsetenv("XDG_CONFIG_HOME");
    }
    ~HomeFolder() {
        qputenv("HOME", m_home);
        if (!m_config.isEmpty()) qputenv("XDG_CONFIG_HOME", m_config);
    }

    platform::UserFolders folders() const {
        return platform::UserFolders{m_folder + QStringLiteral("/Documents"), m_folder};
    }

  private:
    QString m_folder;
    QByteArray m_home;
    QByteArray m_config;
};

}  // namespace testing_support
