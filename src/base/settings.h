#pragma once
// The settings file Options/vtl.ini: section [MAIN] with DIRSTART, LCM, CLV
// and OPHS, kept in cp1251 and edited line by line so that lines written by
// hand or by other versions survive.
#include <QByteArray>
#include <QString>

namespace vt {

struct Settings {
    QString dirStart;   // DIRSTART: folder put into the folder field at start
    QString lcm;        // LCM: last copy/move destination
    bool clv = false;   // CLV: ask "Закрыть программу?" on closing
    int ophs = 0;       // OPHS: Ord/Page column mode
};

// The values in use for this run.
Settings &settings();

// Options/vtl.ini, empty when Options/ cannot be made.
QString iniPath();

// LoadAll: read every key into settings() and return DIRSTART; Folder: return
// DIRSTART only; OfferFolder: offer folder as the start folder ("1" when
// written); SaveOrdPage: write OPHS from settings().
enum class StartDir { SaveOrdPage = -1, OfferFolder = 0, Folder = 1, LoadAll = 2 };
QString GetStartDir(StartDir mode, const QString &folder = QString());

// Writes LCM and CLV together when either differs from the file.
void Savini();

// Ini text handling on raw cp1251 bytes.
namespace ini {
// Value of key in section (both matched without regard to ASCII case),
// trimmed and unquoted; found is false when the key is absent.
QString value(const QByteArray &file, const QString &section, const QString &key,
              bool *found = nullptr);
// The file with key set to value: the key's line replaced, or added at the end
// of the section, or the section added at the end. Every other byte is kept.
QByteArray setValue(const QByteArray &file, const QString &section, const QString &key,
                    const QString &value);
// Reads a whole ini file; empty when missing.
QByteArray load(const QString &path);
} // namespace ini

} // namespace vt
