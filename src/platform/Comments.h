#pragma once
// The dated comments of one record, kept in a comments table (LINK, COMMDATE,
// COMMENT, RECNO): settlements in HVXGR04G under the settlement link,
// warehouse receipts in HVXGR08C under the receipt link.
//
// Every write is checked: a change or delete that touches no row (another
// user deleted the comment first) fails like a refused statement, with the
// message in the caller's buffer.
#include <string>
#include <string_view>
#include <vector>

namespace hvx {

struct Comment {
    double recno = 0;
    std::string date;  // "MM/DD/YYYY"
    std::string text;
    bool operator==(const Comment&) const = default;
};

class CommentStore {
public:
    // The longest comment text a comments table holds.
    static constexpr std::size_t kMaxLength = 4096;

    CommentStore(std::string table, std::string link);

    const std::string& Table() const { return table_; }
    const std::string& Link() const { return link_; }

    // The link's comments, oldest first (same day: in the order written).
    bool Load(std::vector<Comment>& out, std::string& error) const;
    // Adds a comment dated today; on success *added (when given) holds it.
    bool Add(std::string_view text, Comment* added, std::string& error) const;
    // Replaces the text of one comment of the link; its date stays.
    bool Change(double recno, std::string_view text, std::string& error) const;
    bool Delete(double recno, std::string& error) const;

private:
    bool CheckTable(std::string& error) const;
    bool CheckText(std::string_view text, std::string& error) const;

    std::string table_;
    std::string link_;
};

}  // namespace hvx
