#include "lsar_listing.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace q32::standin {

namespace {

// lsar writes its flags as 1, but a true or a missing value reads the same.
bool flagged(const QJsonObject& entry, const char* key) {
    const QJsonValue value = entry.value(QLatin1String(key));
    return value.toBool() || value.toInteger() != 0;
}

bool isPlainFile(const QJsonObject& entry) {
    return !flagged(entry, "XADIsDirectory") && !flagged(entry, "XADIsLink") && !flagged(entry, "XADIsResourceFork");
}

std::optional<ListedFile> listedFile(const QJsonObject& entry) {
    const QJsonValue name = entry.value(QLatin1String("XADFileName"));
    const QJsonValue size = entry.value(QLatin1String("XADFileSize"));
    if (!name.isString() || name.toString().isEmpty() || !size.isDouble() || size.toInteger(-1) < 0)
        return std::nullopt;
    return ListedFile{name.toString().toStdString(), static_cast<std::uintmax_t>(size.toInteger())};
}

}  // namespace

std::optional<std::vector<ListedFile>> parseLsarListing(std::string_view json) {
    QJsonParseError error;
    const QJsonDocument document =
        QJsonDocument::fromJson(QByteArray(json.data(), static_cast<qsizetype>(json.size())), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) return std::nullopt;
    const QJsonObject listing = document.object();
    if (listing.value(QLatin1String("lsarError")).toInteger() != 0) return std::nullopt;
    const QJsonValue contents = listing.value(QLatin1String("lsarContents"));
    if (!contents.isArray()) return std::nullopt;
    std::vector<ListedFile> files;
    for (const QJsonValue& value : contents.toArray()) {
        const QJsonObject entry = value.toObject();
        if (!isPlainFile(entry)) continue;
        auto file = listedFile(entry);
        if (!file) return std::nullopt;
        files.push_back(std::move(*file));
    }
    return files;
}

}  // namespace q32::standin
