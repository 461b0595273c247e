#include "data/csv/CsvReader.h"

namespace hvx::csv {
namespace {

class Reader {
public:
    explicit Reader(std::string_view text) : text_(text) {
        if (text_.substr(0, 3) == "\xEF\xBB\xBF") at_ = 3;
    }

    bool Read(std::vector<Record>& records, int& badLine, std::string& error) {
        while (at_ < text_.size()) {
            Record record{line_, {}};
            if (!ReadRecord(record.fields)) {
                records.clear();
                badLine = faultLine_;
                error = fault_;
                return false;
            }
            const bool blank = record.fields.size() == 1 && record.fields[0].empty();
            if (!blank) records.push_back(std::move(record));
        }
        return true;
    }

private:
    bool AtLineEnd() const { return text_[at_] == '\n' || (text_[at_] == '\r' && Next() == '\n'); }
    char Next() const { return at_ + 1 < text_.size() ? text_[at_ + 1] : '\0'; }
    void SkipLineEnd() {
        at_ += text_[at_] == '\r' ? 2 : 1;
        ++line_;
    }
    bool Fail(int line, const char* what) {
        faultLine_ = line;
        fault_ = what;
        return false;
    }

    // One record up to and including its line end (or the end of the text).
    bool ReadRecord(std::vector<std::string>& fields) {
        for (;;) {
            std::string field;
            if (at_ < text_.size() && text_[at_] == '"') {
                if (!ReadQuoted(field)) return false;
            } else {
                while (at_ < text_.size() && text_[at_] != ',' && !AtLineEnd()) {
                    if (text_[at_] == '"')
                        return Fail(line_, "a quote inside a field that does not start with one");
                    field += text_[at_++];
                }
            }
            fields.push_back(std::move(field));
            if (at_ >= text_.size()) return true;
            if (text_[at_] == ',') {
                ++at_;
                continue;
            }
            if (!AtLineEnd()) return Fail(line_, "text after the closing quote of a field");
            SkipLineEnd();
            return true;
        }
    }

    bool ReadQuoted(std::string& field) {
        const int opened = line_;
        ++at_;
        for (;;) {
            if (at_ >= text_.size()) return Fail(opened, "a quoted field that is never closed");
            const char c = text_[at_++];
            if (c == '"') {
                if (at_ < text_.size() && text_[at_] == '"') {
                    field += '"';
                    ++at_;
                    continue;
                }
                return true;
            }
            if (c == '\n') ++line_;
            field += c;
        }
    }

    std::string_view text_;
    std::size_t at_ = 0;
    int line_ = 1;
    int faultLine_ = 0;
    std::string fault_;
};

}  // namespace

bool ReadRecords(std::string_view text, std::vector<Record>& records, int& badLine,
                 std::string& error) {
    return Reader(text).Read(records, badLine, error);
}

}  // namespace hvx::csv
