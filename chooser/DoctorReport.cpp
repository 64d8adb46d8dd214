#include "chooser/DoctorReport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace vk {
namespace {

std::vector<DoctorStep> stepsOf(const QJsonArray& steps)
{
    std::vector<DoctorStep> result;
    for (const QJsonValue step : steps)
        result.push_back({step["passed"].toBool(), step["text"].toString()});
    return result;
}

}  // namespace

std::optional<DoctorReport> parseDoctorReport(const QByteArray& json)
{
    const QJsonObject report = QJsonDocument::fromJson(json).object();
    // A verdict, its steps and its status are what make a report; the rest may be empty.
    if (!report["verdict"].isString() || !report["steps"].isArray() || !report["exitStatus"].isDouble())
        return std::nullopt;
    return DoctorReport{.device = report["device"].toString(),
                        .steps = stepsOf(report["steps"].toArray()),
                        .verdict = report["verdict"].toString(),
                        .finding = report["finding"].toString(),
                        .remedy = report["remedy"].toString(),
                        .exitStatus = report["exitStatus"].toInt()};
}

}  // namespace vk
