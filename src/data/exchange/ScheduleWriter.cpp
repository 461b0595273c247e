#include "data/exchange/ScheduleWriter.h"

#include <map>

#include "platform/NextNumbers.h"
#include "platform/Statements.h"

namespace hvx::exchange {
namespace {

using Texts = std::vector<std::string>;

struct Schedule {
    Texts key, header;         // COMMODITY, GRADFACT, SCHEDULE; STEPSIZE, DOPERCENT
    std::vector<Texts> steps;  // TYPE, VALUE, DISCOUNT, ADDITION, in the file's order
};

Texts Pick(const ExchangeKind& kind, const ImportRow& row,
           std::initializer_list<const char*> names) {
    Texts values;
    for (const char* name : names) values.push_back(row.values[kind.Place(name)]);
    return values;
}

// The file's schedules in the order they first appear.
std::vector<Schedule> Gather(const ExchangeKind& kind, const std::vector<ImportRow>& rows) {
    std::vector<Schedule> schedules;
    std::map<Texts, std::size_t> index;
    for (const ImportRow& row : rows) {
        Texts key = Pick(kind, row, {"COMMODITY", "GRADFACT", "SCHEDULE"});
        const auto [at, added] = index.emplace(key, schedules.size());
        if (added)
            schedules.push_back({std::move(key), Pick(kind, row, {"STEPSIZE", "DOPERCENT"}), {}});
        schedules[at->second].steps.push_back(
            Pick(kind, row, {"TYPE", "VALUE", "DISCOUNT", "ADDITION"}));
    }
    return schedules;
}

std::vector<Param> Params(const Texts& first, const Texts& second = {}) {
    std::vector<Param> params;
    for (const Texts* texts : {&first, &second})
        for (const std::string& text : *texts) params.push_back(Param::Text(text));
    return params;
}

bool Run(const std::string& sql, std::vector<Param> params, std::string& error,
         std::vector<SqlRow>* rows = nullptr) {
    return RunNative(nullptr, sql, params, rows, error);
}

bool InsertRow(const char* table, const std::string& columns, std::vector<Param> params,
               std::string& error) {
    const double recno = NextRecordNumber(table);
    if (recno < 1) {
        error = std::string("Unable to take the next record number of ") + table + ".";
        return false;
    }
    params.push_back(Param::Number(recno));
    std::string places;
    for (std::size_t i = 1; i < params.size(); ++i) places += "?,";
    return Run(
        std::string("INSERT INTO ") + table + " (" + columns + ",RECNO) VALUES (" + places + "?)",
        params, error);
}

bool InsertSteps(const std::string& tabLink, const Schedule& schedule, std::string& error) {
    for (const Texts& step : schedule.steps)
        if (!InsertRow("HVXGR54B", "TABLINK,TYPE,VALUE,DISCOUNT,ADDITION", Params({tabLink}, step),
                       error))
            return false;
    return true;
}

bool Add(const Schedule& schedule, std::string& error) {
    const std::string tabLink = NextCharLnk(nullptr, 1, "HVXGR54", "TABLINK", 0);
    if (tabLink.empty()) {
        error = "Unable to take a new TABLINK of HVXGR54.";
        return false;
    }
    Texts header = schedule.header;
    header.push_back(tabLink);
    return InsertRow("HVXGR54", "COMMODITY,GRADFACT,SCHEDULE,STEPSIZE,DOPERCENT,TABLINK",
                     Params(schedule.key, header), error) &&
           InsertSteps(tabLink, schedule, error);
}

}  // namespace

bool WriteSchedules(const ExchangeKind& kind, const std::vector<ImportRow>& rows,
                    ImportCounts& counts, std::string& error) {
    for (const Schedule& schedule : Gather(kind, rows)) {
        const long steps = static_cast<long>(schedule.steps.size());
        std::vector<SqlRow> found;
        // The first header of the key is the one the module loads.
        if (!Run("SELECT TABLINK,STEPSIZE,DOPERCENT FROM HVXGR54 WHERE COMMODITY = ? AND "
                 "GRADFACT = ? AND SCHEDULE = ? ORDER BY RECNO",
                 Params(schedule.key), error, &found))
            return false;
        if (found.empty()) {
            counts.added += steps;
            if (!Add(schedule, error)) return false;
            continue;
        }
        const std::string tabLink = found.front()[0];
        std::vector<SqlRow> stored;
        if (!Run("SELECT TYPE,VALUE,DISCOUNT,ADDITION FROM HVXGR54B WHERE TABLINK = ? ORDER BY "
                 "RECNO",
                 Params({tabLink}), error, &stored))
            return false;
        const bool sameHeader = Texts{found.front()[1], found.front()[2]} == schedule.header;
        const bool sameSteps = stored == schedule.steps;
        if (sameHeader && sameSteps) {
            counts.unchanged += steps;
            continue;
        }
        counts.changed += steps;
        if (!sameHeader && !Run("UPDATE HVXGR54 SET STEPSIZE = ?, DOPERCENT = ? WHERE TABLINK = ?",
                                Params(schedule.header, {tabLink}), error))
            return false;
        if (!sameSteps &&
            !(Run("DELETE FROM HVXGR54B WHERE TABLINK = ?", Params({tabLink}), error) &&
              InsertSteps(tabLink, schedule, error)))
            return false;
    }
    return true;
}

}  // namespace hvx::exchange
