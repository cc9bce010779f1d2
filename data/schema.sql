-- The database that comes with the program (data/qwdb.mdb). The program never
-- creates or alters tables; the build makes the file from this script.
--
-- Column order is part of each table's contract: readers address columns by
-- position (a code table's code is column 0 and its name column 1; the login window
-- reads the unit name as column 1 of sqdm). Keep the order when adding columns.
--
-- Text comparison: every text column is COLLATE NOCASE, so that =, <, > and ORDER BY
-- compare Latin letters without regard to case, as the database this program was
-- first written for did. Chinese text compares by its code points.

-- Operators: plain user name and password. An empty table admits anyone.
CREATE TABLE login (
    username TEXT COLLATE NOCASE,
    password TEXT COLLATE NOCASE
);

-- The applicant unit of this installation: one row in use.
CREATE TABLE sqdm (
    DWDM   TEXT COLLATE NOCASE,   -- unit code, five digits
    DWMC   TEXT COLLATE NOCASE,   -- unit name
    YZBM   TEXT COLLATE NOCASE,   -- postcode
    LXR    TEXT COLLATE NOCASE,   -- contact person
    DHHM   TEXT COLLATE NOCASE,   -- telephone
    CZHM   TEXT COLLATE NOCASE,   -- fax
    E_MAIL TEXT COLLATE NOCASE    -- e-mail address
);

-- Code tables: (code, name).
CREATE TABLE dwdm (               -- units
    dwdm TEXT COLLATE NOCASE,
    dwmc TEXT COLLATE NOCASE
);

CREATE TABLE mzdm (               -- ethnic groups
    mzdm TEXT COLLATE NOCASE,
    mzmc TEXT COLLATE NOCASE
);

CREATE TABLE ejdwdm (             -- secondary applicant units (departments)
    ejdwdm TEXT COLLATE NOCASE,
    ejdwmc TEXT COLLATE NOCASE
);

CREATE TABLE rwjd (               -- humanities and social-science research bases
    rwjddm TEXT COLLATE NOCASE,
    rwjdmc TEXT COLLATE NOCASE
);

CREATE TABLE zcdm (               -- professional titles
    zcdm TEXT COLLATE NOCASE,
    zcmc TEXT COLLATE NOCASE
);

CREATE TABLE sysdm (              -- key laboratories
    sysdm TEXT COLLATE NOCASE,
    sysmc TEXT COLLATE NOCASE
);

CREATE TABLE xkdm (               -- disciplines; codes are upper-case letters
    xkdm TEXT COLLATE NOCASE,
    xkmc TEXT COLLATE NOCASE
);
