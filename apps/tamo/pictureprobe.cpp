#include "pictureprobe.h"

#include <QDir>
#include <QFileInfo>

namespace tamo {

QString pictureProbeModulePath(const QString &programDirectory)
{
    return QDir::cleanPath(
        QDir(programDirectory)
            .filePath(QStringLiteral(QUARNTAMO_MODULE_FROM_BIN "/" QUARNTAMO_PICTURE_MODULE)));
}

PictureProbeModule::PictureProbeModule(const QString &path)
    : m_library(path)
{}

std::optional<PictureStatus> PictureProbeModule::probe(const QString &path)
{
    if (!m_tried) {
        m_tried = true;
        const QString file = QDir::toNativeSeparators(m_library.fileName());
        if (!QFileInfo::exists(m_library.fileName())) {
            m_error = QStringLiteral("das Bildmodul %1 fehlt").arg(file);
        } else if (!m_library.load()) {
            m_error = QStringLiteral("das Bildmodul lässt sich nicht laden: %1")
                          .arg(m_library.errorString());
        } else {
            m_probe =
                reinterpret_cast<QuarntamoProbePicture *>(m_library.resolve(kProbePictureSymbol));
            if (!m_probe)
                m_error = QStringLiteral("das Bildmodul %1 ist unvollständig: %2")
                              .arg(file, m_library.errorString());
        }
    }
    if (!m_probe)
        return std::nullopt;
    const int status = m_probe(reinterpret_cast<const char16_t *>(path.utf16()), path.size());
    switch (static_cast<PictureStatus>(status)) {
    case PictureStatus::Ok:
    case PictureStatus::Missing:
    case PictureStatus::Unreadable:
    case PictureStatus::NotAFile:
    case PictureStatus::TooLarge:
        return static_cast<PictureStatus>(status);
    }
    // A module of another version of the program.
    m_error = QStringLiteral("das Bildmodul %1 gibt eine unbekannte Antwort (%2)")
                  .arg(QDir::toNativeSeparators(m_library.fileName()))
                  .arg(status);
    return std::nullopt;
}

} // namespace tamo
