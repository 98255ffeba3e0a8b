#include "ScheduleJson.h"

#include "ScheduleRules.h"
#include "ScheduleTexts.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <array>
#include <cmath>
#include <set>

namespace nerav {

namespace {

QString StartText(const AdvanceSchedule &s)
{
    return QString::fromStdString(StartDateText(s, '-') + ' ' + StartTimeText(s));
}

QString StopText(const AdvanceSchedule &s)
{
    return QString::fromStdString(StopDateText(s, '-') + ' ' + StopTimeText(s));
}

QJsonObject EntryObject(const ScheduleEntry &entry)
{
    return {{"name", QString::fromLatin1(EntryDisplayName(entry).c_str())},
            {"playTimes", int(entry.playTimes)},
            {"volume", int(entry.volume)}};
}

QJsonArray EntryArray(const std::vector<ScheduleEntry> &entries)
{
    QJsonArray array;
    for (const ScheduleEntry &entry : entries)
        array.append(EntryObject(entry));
    return array;
}

QJsonObject AdvanceObject(const AdvanceSchedule &s)
{
    return {{"start", StartText(s)},
            {"stop", StopText(s)},
            {"weekDay", int(s.weekDay)},
            {"details", EntryArray(s.details)}};
}

// Walks the JSON, building the document and collecting every problem with its place.
class JsonScheduleReader
{
public:
    QStringList errors;

    void Error(const QString &place, const QString &problem)
    {
        errors.append(place + QStringLiteral(": ") + problem);
    }

    void CheckKeys(const QJsonObject &object, const QString &place, const std::set<QString> &known)
    {
        for (auto it = object.begin(); it != object.end(); ++it)
            if (known.count(it.key()) == 0)
                Error(Join(place, it.key()), QStringLiteral("unknown key"));
    }

    static QString Join(const QString &place, const QString &key)
    {
        return place.isEmpty() ? key : place + '.' + key;
    }

    static QString Item(const QString &place, int index)
    {
        return place + '[' + QString::number(index) + ']';
    }

    // A whole number from low to high, or fallback when the key is missing.
    bool ReadNumber(const QJsonObject &object, const QString &key, const QString &place, int low,
                    int high, int fallback, std::uint8_t &value)
    {
        const QJsonValue json = object.value(key);
        if (json.isUndefined()) {
            value = static_cast<std::uint8_t>(fallback);
            return true;
        }
        const double number = json.toDouble(-1.0);
        if (!json.isDouble() || number != std::floor(number) || number < low || number > high) {
            Error(Join(place, key),
                  QStringLiteral("must be a whole number from %1 to %2").arg(low).arg(high));
            return false;
        }
        value = static_cast<std::uint8_t>(number);
        return true;
    }

    void ReadName(const QJsonObject &object, const QString &place, ScheduleEntry &entry)
    {
        const QJsonValue json = object.value(QStringLiteral("name"));
        const QString namePlace = Join(place, QStringLiteral("name"));
        if (!json.isString()) {
            Error(namePlace,
                  json.isUndefined() ? QStringLiteral("missing")
                                     : QStringLiteral("must be a string"));
            return;
        }
        if (!EncodeEntryName(json.toString().toStdString(), entry))
            Error(namePlace,
                  QStringLiteral("\"%1\" is not a name the player accepts (a name of at most "
                                 "16 characters, a dot and an extension of at most 4; only "
                                 "A-Z a-z 0-9 . _ -)")
                          .arg(json.toString()));
    }

    void ReadVolume(const QJsonObject &object, const QString &place, ScheduleEntry &entry)
    {
        const QJsonValue json = object.value(QStringLiteral("volume"));
        if (json.isString() && json.toString() == QStringLiteral("default")) {
            entry.volume = DefaultVolume;
            return;
        }
        if (json.isString()) {
            Error(Join(place, QStringLiteral("volume")),
                  QStringLiteral("must be a whole number from 0 to 12, 13 or \"default\""));
            return;
        }
        ReadNumber(object, QStringLiteral("volume"), place, 0, DefaultVolume, DefaultVolume,
                   entry.volume);
    }

    ScheduleEntry ReadEntry(const QJsonValue &json, const QString &place)
    {
        ScheduleEntry entry;
        if (!json.isObject()) {
            Error(place, QStringLiteral("must be an object with a name"));
            return entry;
        }
        const QJsonObject object = json.toObject();
        CheckKeys(object, place, {"name", "playTimes", "volume"});
        ReadName(object, place, entry);
        ReadNumber(object, QStringLiteral("playTimes"), place, 0, MaxPlayTimes, 1, entry.playTimes);
        ReadVolume(object, place, entry);
        return entry;
    }

    std::vector<ScheduleEntry> ReadEntries(const QJsonObject &object, const QString &key,
                                           const QString &place, int limit)
    {
        std::vector<ScheduleEntry> entries;
        const QString listPlace = Join(place, key);
        const QJsonValue json = object.value(key);
        if (json.isUndefined())
            return entries;
        if (!json.isArray()) {
            Error(listPlace, QStringLiteral("must be a list of entries"));
            return entries;
        }
        const QJsonArray array = json.toArray();
        if (array.size() > limit)
            Error(listPlace, QStringLiteral("%1 entries; at most %2").arg(array.size()).arg(limit));
        for (int i = 0; i < array.size(); ++i)
            entries.push_back(ReadEntry(array.at(i), Item(listPlace, i)));
        return entries;
    }

    // "YYYY-MM-DD HH:MM:SS" as the date/time editor can offer it.
    void ReadDateTime(const QJsonObject &object, const QString &key, const QString &place,
                      const std::array<std::uint8_t *, 6> &fields)
    {
        static const QRegularExpression form(
                QStringLiteral("^(\\d{4})-(\\d{2})-(\\d{2}) (\\d{2}):(\\d{2}):(\\d{2})$"));
        const QString fieldPlace = Join(place, key);
        const QJsonValue json = object.value(key);
        const QRegularExpressionMatch match = form.match(json.toString());
        if (!json.isString() || !match.hasMatch()) {
            Error(fieldPlace,
                  json.isUndefined() ? QStringLiteral("missing")
                                     : QStringLiteral("must be a text YYYY-MM-DD HH:MM:SS"));
            return;
        }
        int value[6];
        for (int n = 0; n < 6; ++n)
            value[n] = match.captured(n + 1).toInt();
        const QString text = json.toString();
        if (value[0] < FirstYear || value[0] > LastYear)
            Error(fieldPlace, text + QStringLiteral(": the year must be 2000 to 2099"));
        else if (value[1] < 1 || value[1] > 12)
            Error(fieldPlace, text + QStringLiteral(": the month must be 1 to 12"));
        else if (value[2] < 1 || value[2] > DaysInMonth(value[0], value[1]))
            Error(fieldPlace,
                  text +
                          QStringLiteral(": the day must be 1 to %1")
                                  .arg(DaysInMonth(value[0], value[1])));
        else if (value[3] > 23 || value[4] > 59 || value[5] > 59)
            Error(fieldPlace, text + QStringLiteral(": not a time from 00:00:00 to 23:59:59"));
        else {
            *fields[0] = static_cast<std::uint8_t>(value[0] - FirstYear);
            for (int n = 1; n < 6; ++n)
                *fields[n] = static_cast<std::uint8_t>(value[n]);
        }
    }

    AdvanceSchedule ReadAdvance(const QJsonValue &json, const QString &place)
    {
        AdvanceSchedule s;
        if (!json.isObject()) {
            Error(place, QStringLiteral("must be an object with start, stop and details"));
            return s;
        }
        const QJsonObject object = json.toObject();
        CheckKeys(object, place, {"start", "stop", "weekDay", "details"});
        const int before = errors.size();
        ReadDateTime(object, QStringLiteral("start"), place,
                     {&s.startYear, &s.startMonth, &s.startDay, &s.startHour, &s.startMinute,
                      &s.startSecond});
        ReadDateTime(
                object, QStringLiteral("stop"), place,
                {&s.stopYear, &s.stopMonth, &s.stopDay, &s.stopHour, &s.stopMinute, &s.stopSecond});
        if (errors.size() == before && !DateOrderValid(s))
            Error(place, QStringLiteral("the start date is after the stop date"));
        else if (errors.size() == before && !TimeOrderValid(s))
            Error(place, QStringLiteral("the start time of day is not before the stop time"));
        ReadNumber(object, QStringLiteral("weekDay"), place, 0, EveryDay, EveryDay, s.weekDay);
        s.details = ReadEntries(object, QStringLiteral("details"), place, MaxDetailsPerSchedule);
        return s;
    }

    void ReadAdvanceList(const QJsonObject &root, ScheduleDocument &document)
    {
        const QJsonValue json = root.value(QStringLiteral("advance"));
        if (json.isUndefined())
            return;
        if (!json.isArray()) {
            Error(QStringLiteral("advance"), QStringLiteral("must be a list of schedules"));
            return;
        }
        const QJsonArray array = json.toArray();
        if (array.size() > MaxAdvanceSchedules)
            Error(QStringLiteral("advance"),
                  QStringLiteral("%1 schedules; at most %2")
                          .arg(array.size())
                          .arg(MaxAdvanceSchedules));
        for (int i = 0; i < array.size(); ++i)
            document.advanceSchedules.push_back(
                    ReadAdvance(array.at(i), Item(QStringLiteral("advance"), i)));
    }

    void CheckBeforeSaving(const ScheduleDocument &document)
    {
        const PreSaveCheck check = CheckBeforeSave(document);
        switch (check.problem) {
        case PreSaveProblem::None:
            break;
        case PreSaveProblem::EmptySchedule:
            Error(QStringLiteral("(schedule)"),
                  QStringLiteral("no basic entry and no advance schedule; nothing to save"));
            break;
        case PreSaveProblem::AdvanceWithoutEntries:
            Error(Item(QStringLiteral("advance"), check.schedulePosition - 1) +
                          QStringLiteral(".details"),
                  QStringLiteral("an advance schedule needs at least one entry"));
            break;
        case PreSaveProblem::TooLarge:
            Error(QStringLiteral("(schedule)"),
                  QStringLiteral("too many schedules: the size estimate %1 must stay below %2")
                          .arg(ScheduleSizeEstimate(document))
                          .arg(MaxScheduleSizeEstimate));
            break;
        }
    }
};

} // namespace

QByteArray ScheduleToJson(const ScheduleDocument &document)
{
    QJsonArray advance;
    for (const AdvanceSchedule &schedule : document.advanceSchedules)
        advance.append(AdvanceObject(schedule));
    const QJsonObject root {{"basic", EntryArray(document.basicEntries)}, {"advance", advance}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

ScheduleFromJsonResult ScheduleFromJson(const QByteArray &text)
{
    ScheduleFromJsonResult result;
    QJsonParseError parseError;
    const QJsonDocument json = QJsonDocument::fromJson(text, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        result.errors.append(QStringLiteral("(json): %1 at character %2")
                                     .arg(parseError.errorString())
                                     .arg(parseError.offset));
        return result;
    }
    if (!json.isObject()) {
        result.errors.append(QStringLiteral("(json): must be an object with basic and advance"));
        return result;
    }
    const QJsonObject root = json.object();
    JsonScheduleReader reader;
    ScheduleDocument document;
    reader.CheckKeys(root, QString(), {"basic", "advance"});
    document.basicEntries =
            reader.ReadEntries(root, QStringLiteral("basic"), QString(), MaxBasicEntries);
    reader.ReadAdvanceList(root, document);
    if (reader.errors.isEmpty())
        reader.CheckBeforeSaving(document);
    result.errors = reader.errors;
    result.ok = result.errors.isEmpty();
    if (result.ok)
        result.document = std::move(document);
    return result;
}

} // namespace nerav
