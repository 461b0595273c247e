#pragma once
// A settlement ready to be paid by check, for the check tests of the core and
// of the report module: customer "O'Neil Farms", a payee and a mortgagee, two
// lines, a deduction and an addition, check amount 1,234.56.
#include <string>

#include "support/TestDatabase.h"

namespace hvxtest {

inline constexpr const char* kCheckSetLink = "77";
inline constexpr double kCheckRecno = 77;

inline void SeedCheckSettlement(const std::string& checkNumber, const std::string& counter) {
    Exec("INSERT INTO HVXGR04 (SETTLEMENT,CUSTREF,CUSTNAME,SETLINK,POSTED,REVERSED,CHECKNUM,"
         "CHECKAMT,STYPE,NUMCHANGE,RECNO) VALUES ('1042','ONEIL','O''Neil Farms','77','F','F','" +
         checkNumber + "','1234.56','1','0',77)");
    Exec("INSERT INTO HVXGR04D (SETTLEMENT,SETLINK,SOURCE,SOURCEREF,COMMODITY,UNITSSET,FROMDPR,"
         "TODPR,CONTRACT,PRICEUNIT,TOTPRICE,DLLINK,RECNO) VALUES "
         "('1042','77','Assembly','A-17','Corn','400','Open Storage','Priced','','2.5','1000',"
         "'901',901),"
         "('1042','77','Scale Ticket','T-88','Corn','100.5','Open Storage','Priced','C-5',"
         "'2.5','251.25','902',902)");
    Exec("INSERT INTO HVXGR52 (REFERENCE,DESCRIPT,RECNO) VALUES ('DRY','Drying <& Shrink>',1)");
    Exec("INSERT INTO HVXGR04C (SETTLEMENT,SETLINK,DLLINK,DEDUCT,AMOUNT,DA,RECNO) VALUES "
         "('1042','77','901','DRY','20.19','D',1),('1042','77','902','PREM','3.50','A',2)");
    Exec("INSERT INTO HVXGR04E (SETTLEMENT,SETLINK,PAYNAME,PNTYPE,RECNO) VALUES "
         "('1042','77','Farm Credit West','1',1),('1042','77','O''Neil Farms','0',2)");
    if (!counter.empty()) Exec("INSERT INTO HVXREP4 (CHECKNUM,RECNO) VALUES ('" + counter + "',1)");
}

}  // namespace hvxtest
