// A line built for a settlement keeps the link it drew through edits and
// re-saves, and carries every value the save writes.
#include "platform/NextNumbers.h"
#include "settlement/SettlementLoad.h"
#include "settlement/SourceLineBuilder.h"
#include "settlement/SettlementSaveTestSupport.h"

namespace hvxtest {
namespace {

using hvx::settlement::LineValues;
using hvx::settlement::SettlementDetailItem;

LineValues SplitValues(const char* destination, double units, double price) {
    return {{"Assembly", "A100", "7001", "", "Storage Ticket"}, "CORN", "1", destination,
            hvx::SettlementType::SingleSource, "03/07/2024", units, price};
}

class SourceLineBuilderTest : public SettlementSaveFixture {};

TEST_P(SourceLineBuilderTest, LinkDrawnOnceKeptThroughEditAndResave) {
    SettlementDetailItem line;
    ASSERT_TRUE(hvx::settlement::BuildSourceLine(SplitValues("Grain Bank", 100, 0), line, message));
    const std::string link = line.dlLink;
    set.details.AddLine(line);
    ASSERT_TRUE(Save()) << message;

    // A later settlement draws 60 of its 100 open units; the edit keeps that.
    Exec("UPDATE HVXGR04F SET OUNITS='40.0000' WHERE DLLINK='" + link + "'");
    set.details.Clear(), set.units.Clear(), set.deductions.Clear(), set.grades.Clear();
    ASSERT_TRUE(hvx::settlement::LoadSettlement(set, set.header.setLink,
                                                hvx::SettlementType::SingleSource, ui));
    SettlementDetailItem edited = *set.details.FindLine(link);
    hvx::settlement::ApplyLineValues(SplitValues("Grain Bank", 120.5, 0), edited);
    set.details.RemoveLine(link, ui), set.details.AddLine(edited);
    ASSERT_TRUE(Save()) << message;

    EXPECT_EQ(Rows("SELECT DLLINK,UNITSSET,GLCODE,TODPR FROM HVXGR04D WHERE SOURCEREF='A100' AND "
                   "TODPR='Grain Bank'"),
              Texts{link + "\t120.5000\t02\tGrain Bank"});
    EXPECT_EQ(Rows("SELECT OUNITS,STATUS FROM HVXGR04F WHERE DLLINK='" + link + "'"),
              Texts{"60.5000\tO"});
    // Since the line was built only the settlement's own record number was drawn from the counter
    // that lines share with settlements: the edit and the re-save drew nothing.
    EXPECT_EQ(NextCharLnk(nullptr, 1, "HVXGR04D", "DLLINK", 0),
              _HVXsprintf("%.0f", std::max(std::stod(link), set.header.recno) + 1));
}

TEST_P(SourceLineBuilderTest, ValuesOfNewAndEditedLines) {
    struct Case {
        const char* kind;
        const char* destination;
        double units, price;
        const char* glCode;
        const char* patronage;
        double gross;
        const char* open;
        const char* status;
    } cases[] = {
        {"Assembly", "Priced", 100.00005, 4.2849, "06", "T", 428.49, "100.0001", "O"},
        {"Scale Ticket", "Installment Sale", 10, 3.98, "05", "T", 39.80, "10.0000", "O"},
        {"Installment Sale", "Priced", 10, 4, "07", "F", 40.00, "10.0000", "O"},
        {"Storage Ticket", "CCC", 0, 0, "99", "F", 0, "0.0000", "C"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.destination);
        LineValues v = SplitValues(c.destination, c.units, c.price);
        v.source.kind = c.kind;
        SettlementDetailItem line;
        ASSERT_TRUE(hvx::settlement::BuildSourceLine(v, line, message));
        EXPECT_EQ(line.glCode, c.glCode);
        EXPECT_EQ(line.patronage, c.patronage);
        EXPECT_DOUBLE_EQ(line.totPrice, c.gross);
        EXPECT_DOUBLE_EQ(line.netAmt, c.gross);
        EXPECT_EQ(line.oUnits + line.status, std::string(c.open) + c.status);
        // Deductions the price page took stay taken when the units change.
        line.netAmt = line.grossAmt - 5;
        v.units = c.units + 1;
        const std::string link = line.dlLink;
        hvx::settlement::ApplyLineValues(v, line);
        EXPECT_EQ(line.dlLink, link);
        EXPECT_NEAR(line.grossAmt - line.netAmt, 5, 1e-9);
    }
}

HVX_DATABASE_TEST_SUITE(SourceLineBuilderTest);

}  // namespace
}  // namespace hvxtest
