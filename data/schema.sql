-- The database that comes with the program (data/qwdb.mdb). The build makes the file
-- from this script. The program creates no table of its own but the reception's
-- scratch tables tempxmsb and tempxmjt: each reception makes its one anew with the
-- columns of the received file and leaves it in the file holding the rows received.
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

-- Applications: one row per project application, no key. The application window
-- writes the columns in this order; the approved and archived tables and the
-- submission files take whole rows, so they keep the same names and order. Dates
-- are texts in the forms the window gives them; amounts are in units of 10,000
-- yuan. Members 1..8 and plan rows 1..3 are stored without gaps from row 1.
CREATE TABLE xmsb (
    bz        TEXT COLLATE NOCASE, -- talent-plan mark "中青年人才培养" or no value
    xmlb      TEXT COLLATE NOCASE, -- category text
    xmbh      TEXT COLLATE NOCASE, -- project number; the approval number once approved
    ssxk      TEXT COLLATE NOCASE, -- subject code (xkdm)
    xkmc      TEXT COLLATE NOCASE, -- subject name
    xmmc      TEXT COLLATE NOCASE, -- project name
    xmfzr     TEXT COLLATE NOCASE, -- project leader(s)
    szdw      TEXT COLLATE NOCASE, -- leader's unit
    sqrq      TEXT COLLATE NOCASE, -- application date yyyy.mm.dd
    yjlb      TEXT COLLATE NOCASE, -- research kind
    sqje      REAL,                -- amount applied for, 10,000 yuan
    qsny      TEXT COLLATE NOCASE, -- start: year, 年, month 1 or 6, 月
    zzny      TEXT COLLATE NOCASE, -- end: year, 年, month 6 or 12, 月
    sysmc     TEXT COLLATE NOCASE, -- key laboratory or research base
    yjjg      TEXT COLLATE NOCASE, -- full-time research institute
    sysdm     TEXT COLLATE NOCASE, -- code of sysmc
    fzrxm     TEXT COLLATE NOCASE, -- leader: name
    fzrxb     TEXT COLLATE NOCASE, -- sex
    fzrcsny   TEXT COLLATE NOCASE, -- birth yyyy.mm
    fzrxw     TEXT COLLATE NOCASE, -- degree
    fzrhdxwsj TEXT COLLATE NOCASE, -- last degree obtained yyyy.mm
    fzrsbdbz  TEXT COLLATE NOCASE, -- supervisor status
    fzrzc     TEXT COLLATE NOCASE, -- title name (zcdm)
    fzrzcdm   TEXT COLLATE NOCASE, -- title code
    fzrdzsj   TEXT COLLATE NOCASE, -- title granted yyyy.mm
    fzryjfx   TEXT COLLATE NOCASE, -- research direction
    fzrlxdh   TEXT COLLATE NOCASE, -- telephone
    fzrszxs   TEXT COLLATE NOCASE, -- department
    xm1       TEXT COLLATE NOCASE, -- member 1: name
    nl1       REAL,                -- age
    zc1       TEXT COLLATE NOCASE, -- title name
    xw1       TEXT COLLATE NOCASE, -- degree
    szdw1     TEXT COLLATE NOCASE, -- unit
    xmfg1     TEXT COLLATE NOCASE, -- task
    zcdm1     TEXT COLLATE NOCASE, -- title code
    xm2       TEXT COLLATE NOCASE, -- member 2, as member 1
    nl2       REAL,
    zc2       TEXT COLLATE NOCASE,
    xw2       TEXT COLLATE NOCASE,
    szdw2     TEXT COLLATE NOCASE,
    xmfg2     TEXT COLLATE NOCASE,
    zcdm2     TEXT COLLATE NOCASE,
    xm3       TEXT COLLATE NOCASE, -- member 3, as member 1
    nl3       REAL,
    zc3       TEXT COLLATE NOCASE,
    xw3       TEXT COLLATE NOCASE,
    szdw3     TEXT COLLATE NOCASE,
    xmfg3     TEXT COLLATE NOCASE,
    zcdm3     TEXT COLLATE NOCASE,
    xm4       TEXT COLLATE NOCASE, -- member 4, as member 1
    nl4       REAL,
    zc4       TEXT COLLATE NOCASE,
    xw4       TEXT COLLATE NOCASE,
    szdw4     TEXT COLLATE NOCASE,
    xmfg4     TEXT COLLATE NOCASE,
    zcdm4     TEXT COLLATE NOCASE,
    xm5       TEXT COLLATE NOCASE, -- member 5, as member 1
    nl5       REAL,
    zc5       TEXT COLLATE NOCASE,
    xw5       TEXT COLLATE NOCASE,
    szdw5     TEXT COLLATE NOCASE,
    xmfg5     TEXT COLLATE NOCASE,
    zcdm5     TEXT COLLATE NOCASE,
    xm6       TEXT COLLATE NOCASE, -- member 6, as member 1
    nl6       REAL,
    zc6       TEXT COLLATE NOCASE,
    xw6       TEXT COLLATE NOCASE,
    szdw6     TEXT COLLATE NOCASE,
    xmfg6     TEXT COLLATE NOCASE,
    zcdm6     TEXT COLLATE NOCASE,
    xm7       TEXT COLLATE NOCASE, -- member 7, as member 1
    nl7       REAL,
    zc7       TEXT COLLATE NOCASE,
    xw7       TEXT COLLATE NOCASE,
    szdw7     TEXT COLLATE NOCASE,
    xmfg7     TEXT COLLATE NOCASE,
    zcdm7     TEXT COLLATE NOCASE,
    xm8       TEXT COLLATE NOCASE, -- member 8, as member 1
    nl8       REAL,
    zc8       TEXT COLLATE NOCASE,
    xw8       TEXT COLLATE NOCASE,
    szdw8     TEXT COLLATE NOCASE,
    xmfg8     TEXT COLLATE NOCASE,
    zcdm8     TEXT COLLATE NOCASE,
    zrs       REAL,                -- persons in the project
    gjrs      REAL,                -- senior title
    zjrs      REAL,                -- intermediate title
    cjrs      REAL,                -- junior title
    bshrs     REAL,                -- postdoctoral researchers
    bssrs     REAL,                -- doctoral students
    sssrs     REAL,                -- master's students
    cjdws     REAL,                -- participating units
    yjnrzy    TEXT COLLATE NOCASE, -- abstract of the research content
    yqcg      TEXT COLLATE NOCASE, -- expected results
    nf1       TEXT COLLATE NOCASE, -- plan row 1: year
    jdap1     TEXT COLLATE NOCASE, -- what is planned for it
    nf2       TEXT COLLATE NOCASE, -- plan row 2, as row 1
    jdap2     TEXT COLLATE NOCASE,
    nf3       TEXT COLLATE NOCASE, -- plan row 3, as row 1
    jdap3     TEXT COLLATE NOCASE,
    hzdw      TEXT COLLATE NOCASE, -- category 3: partner unit
    ztz       REAL,                -- total investment, 10,000 yuan
    xxzc      REAL,                -- school's own funds
    hzdwtz    REAL,                -- partner's investment
    yhdk      REAL,                -- bank loan
    jytbk     REAL,                -- grant requested
    jyje      REAL                 -- suggested amount, 10,000 yuan
);

-- Applications archived as not approved: exactly the columns of xmsb.
CREATE TABLE xmsbwpz (
    bz        TEXT COLLATE NOCASE,
    xmlb      TEXT COLLATE NOCASE,
    xmbh      TEXT COLLATE NOCASE,
    ssxk      TEXT COLLATE NOCASE,
    xkmc      TEXT COLLATE NOCASE,
    xmmc      TEXT COLLATE NOCASE,
    xmfzr     TEXT COLLATE NOCASE,
    szdw      TEXT COLLATE NOCASE,
    sqrq      TEXT COLLATE NOCASE,
    yjlb      TEXT COLLATE NOCASE,
    sqje      REAL,
    qsny      TEXT COLLATE NOCASE,
    zzny      TEXT COLLATE NOCASE,
    sysmc     TEXT COLLATE NOCASE,
    yjjg      TEXT COLLATE NOCASE,
    sysdm     TEXT COLLATE NOCASE,
    fzrxm     TEXT COLLATE NOCASE,
    fzrxb     TEXT COLLATE NOCASE,
    fzrcsny   TEXT COLLATE NOCASE,
    fzrxw     TEXT COLLATE NOCASE,
    fzrhdxwsj TEXT COLLATE NOCASE,
    fzrsbdbz  TEXT COLLATE NOCASE,
    fzrzc     TEXT COLLATE NOCASE,
    fzrzcdm   TEXT COLLATE NOCASE,
    fzrdzsj   TEXT COLLATE NOCASE,
    fzryjfx   TEXT COLLATE NOCASE,
    fzrlxdh   TEXT COLLATE NOCASE,
    fzrszxs   TEXT COLLATE NOCASE,
    xm1       TEXT COLLATE NOCASE,
    nl1       REAL,
    zc1       TEXT COLLATE NOCASE,
    xw1       TEXT COLLATE NOCASE,
    szdw1     TEXT COLLATE NOCASE,
    xmfg1     TEXT COLLATE NOCASE,
    zcdm1     TEXT COLLATE NOCASE,
    xm2       TEXT COLLATE NOCASE,
    nl2       REAL,
    zc2       TEXT COLLATE NOCASE,
    xw2       TEXT COLLATE NOCASE,
    szdw2     TEXT COLLATE NOCASE,
    xmfg2     TEXT COLLATE NOCASE,
    zcdm2     TEXT COLLATE NOCASE,
    xm3       TEXT COLLATE NOCASE,
    nl3       REAL,
    zc3       TEXT COLLATE NOCASE,
    xw3       TEXT COLLATE NOCASE,
    szdw3     TEXT COLLATE NOCASE,
    xmfg3     TEXT COLLATE NOCASE,
    zcdm3     TEXT COLLATE NOCASE,
    xm4       TEXT COLLATE NOCASE,
    nl4       REAL,
    zc4       TEXT COLLATE NOCASE,
    xw4       TEXT COLLATE NOCASE,
    szdw4     TEXT COLLATE NOCASE,
    xmfg4     TEXT COLLATE NOCASE,
    zcdm4     TEXT COLLATE NOCASE,
    xm5       TEXT COLLATE NOCASE,
    nl5       REAL,
    zc5       TEXT COLLATE NOCASE,
    xw5       TEXT COLLATE NOCASE,
    szdw5     TEXT COLLATE NOCASE,
    xmfg5     TEXT COLLATE NOCASE,
    zcdm5     TEXT COLLATE NOCASE,
    xm6       TEXT COLLATE NOCASE,
    nl6       REAL,
    zc6       TEXT COLLATE NOCASE,
    xw6       TEXT COLLATE NOCASE,
    szdw6     TEXT COLLATE NOCASE,
    xmfg6     TEXT COLLATE NOCASE,
    zcdm6     TEXT COLLATE NOCASE,
    xm7       TEXT COLLATE NOCASE,
    nl7       REAL,
    zc7       TEXT COLLATE NOCASE,
    xw7       TEXT COLLATE NOCASE,
    szdw7     TEXT COLLATE NOCASE,
    xmfg7     TEXT COLLATE NOCASE,
    zcdm7     TEXT COLLATE NOCASE,
    xm8       TEXT COLLATE NOCASE,
    nl8       REAL,
    zc8       TEXT COLLATE NOCASE,
    xw8       TEXT COLLATE NOCASE,
    szdw8     TEXT COLLATE NOCASE,
    xmfg8     TEXT COLLATE NOCASE,
    zcdm8     TEXT COLLATE NOCASE,
    zrs       REAL,
    gjrs      REAL,
    zjrs      REAL,
    cjrs      REAL,
    bshrs     REAL,
    bssrs     REAL,
    sssrs     REAL,
    cjdws     REAL,
    yjnrzy    TEXT COLLATE NOCASE,
    yqcg      TEXT COLLATE NOCASE,
    nf1       TEXT COLLATE NOCASE,
    jdap1     TEXT COLLATE NOCASE,
    nf2       TEXT COLLATE NOCASE,
    jdap2     TEXT COLLATE NOCASE,
    nf3       TEXT COLLATE NOCASE,
    jdap3     TEXT COLLATE NOCASE,
    hzdw      TEXT COLLATE NOCASE,
    ztz       REAL,
    xxzc      REAL,
    hzdwtz    REAL,
    yhdk      REAL,
    jytbk     REAL,
    jyje      REAL
);

-- Approved applications: the columns of xmsb, then the approved amount and the year.
-- A copy from xmsb names its columns (pzje and nd are not xmsb's); xmbh later holds
-- the approval number.
CREATE TABLE xmsbpz (
    bz        TEXT COLLATE NOCASE,
    xmlb      TEXT COLLATE NOCASE,
    xmbh      TEXT COLLATE NOCASE,
    ssxk      TEXT COLLATE NOCASE,
    xkmc      TEXT COLLATE NOCASE,
    xmmc      TEXT COLLATE NOCASE,
    xmfzr     TEXT COLLATE NOCASE,
    szdw      TEXT COLLATE NOCASE,
    sqrq      TEXT COLLATE NOCASE,
    yjlb      TEXT COLLATE NOCASE,
    sqje      REAL,
    qsny      TEXT COLLATE NOCASE,
    zzny      TEXT COLLATE NOCASE,
    sysmc     TEXT COLLATE NOCASE,
    yjjg      TEXT COLLATE NOCASE,
    sysdm     TEXT COLLATE NOCASE,
    fzrxm     TEXT COLLATE NOCASE,
    fzrxb     TEXT COLLATE NOCASE,
    fzrcsny   TEXT COLLATE NOCASE,
    fzrxw     TEXT COLLATE NOCASE,
    fzrhdxwsj TEXT COLLATE NOCASE,
    fzrsbdbz  TEXT COLLATE NOCASE,
    fzrzc     TEXT COLLATE NOCASE,
    fzrzcdm   TEXT COLLATE NOCASE,
    fzrdzsj   TEXT COLLATE NOCASE,
    fzryjfx   TEXT COLLATE NOCASE,
    fzrlxdh   TEXT COLLATE NOCASE,
    fzrszxs   TEXT COLLATE NOCASE,
    xm1       TEXT COLLATE NOCASE,
    nl1       REAL,
    zc1       TEXT COLLATE NOCASE,
    xw1       TEXT COLLATE NOCASE,
    szdw1     TEXT COLLATE NOCASE,
    xmfg1     TEXT COLLATE NOCASE,
    zcdm1     TEXT COLLATE NOCASE,
    xm2       TEXT COLLATE NOCASE,
    nl2       REAL,
    zc2       TEXT COLLATE NOCASE,
    xw2       TEXT COLLATE NOCASE,
    szdw2     TEXT COLLATE NOCASE,
    xmfg2     TEXT COLLATE NOCASE,
    zcdm2     TEXT COLLATE NOCASE,
    xm3       TEXT COLLATE NOCASE,
    nl3       REAL,
    zc3       TEXT COLLATE NOCASE,
    xw3       TEXT COLLATE NOCASE,
    szdw3     TEXT COLLATE NOCASE,
    xmfg3     TEXT COLLATE NOCASE,
    zcdm3     TEXT COLLATE NOCASE,
    xm4       TEXT COLLATE NOCASE,
    nl4       REAL,
    zc4       TEXT COLLATE NOCASE,
    xw4       TEXT COLLATE NOCASE,
    szdw4     TEXT COLLATE NOCASE,
    xmfg4     TEXT COLLATE NOCASE,
    zcdm4     TEXT COLLATE NOCASE,
    xm5       TEXT COLLATE NOCASE,
    nl5       REAL,
    zc5       TEXT COLLATE NOCASE,
    xw5       TEXT COLLATE NOCASE,
    szdw5     TEXT COLLATE NOCASE,
    xmfg5     TEXT COLLATE NOCASE,
    zcdm5     TEXT COLLATE NOCASE,
    xm6       TEXT COLLATE NOCASE,
    nl6       REAL,
    zc6       TEXT COLLATE NOCASE,
    xw6       TEXT COLLATE NOCASE,
    szdw6     TEXT COLLATE NOCASE,
    xmfg6     TEXT COLLATE NOCASE,
    zcdm6     TEXT COLLATE NOCASE,
    xm7       TEXT COLLATE NOCASE,
    nl7       REAL,
    zc7       TEXT COLLATE NOCASE,
    xw7       TEXT COLLATE NOCASE,
    szdw7     TEXT COLLATE NOCASE,
    xmfg7     TEXT COLLATE NOCASE,
    zcdm7     TEXT COLLATE NOCASE,
    xm8       TEXT COLLATE NOCASE,
    nl8       REAL,
    zc8       TEXT COLLATE NOCASE,
    xw8       TEXT COLLATE NOCASE,
    szdw8     TEXT COLLATE NOCASE,
    xmfg8     TEXT COLLATE NOCASE,
    zcdm8     TEXT COLLATE NOCASE,
    zrs       REAL,
    gjrs      REAL,
    zjrs      REAL,
    cjrs      REAL,
    bshrs     REAL,
    bssrs     REAL,
    sssrs     REAL,
    cjdws     REAL,
    yjnrzy    TEXT COLLATE NOCASE,
    yqcg      TEXT COLLATE NOCASE,
    nf1       TEXT COLLATE NOCASE,
    jdap1     TEXT COLLATE NOCASE,
    nf2       TEXT COLLATE NOCASE,
    jdap2     TEXT COLLATE NOCASE,
    nf3       TEXT COLLATE NOCASE,
    jdap3     TEXT COLLATE NOCASE,
    hzdw      TEXT COLLATE NOCASE,
    ztz       REAL,
    xxzc      REAL,
    hzdwtz    REAL,
    yhdk      REAL,
    jytbk     REAL,
    jyje      REAL,
    pzje      REAL,                -- approved amount, 10,000 yuan
    nd        TEXT COLLATE NOCASE  -- year, four digits
);

-- Approved projects archived without a mid-term report: whole rows of xmsbpz.
CREATE TABLE xmsbpzwpz (
    bz        TEXT COLLATE NOCASE,
    xmlb      TEXT COLLATE NOCASE,
    xmbh      TEXT COLLATE NOCASE,
    ssxk      TEXT COLLATE NOCASE,
    xkmc      TEXT COLLATE NOCASE,
    xmmc      TEXT COLLATE NOCASE,
    xmfzr     TEXT COLLATE NOCASE,
    szdw      TEXT COLLATE NOCASE,
    sqrq      TEXT COLLATE NOCASE,
    yjlb      TEXT COLLATE NOCASE,
    sqje      REAL,
    qsny      TEXT COLLATE NOCASE,
    zzny      TEXT COLLATE NOCASE,
    sysmc     TEXT COLLATE NOCASE,
    yjjg      TEXT COLLATE NOCASE,
    sysdm     TEXT COLLATE NOCASE,
    fzrxm     TEXT COLLATE NOCASE,
    fzrxb     TEXT COLLATE NOCASE,
    fzrcsny   TEXT COLLATE NOCASE,
    fzrxw     TEXT COLLATE NOCASE,
    fzrhdxwsj TEXT COLLATE NOCASE,
    fzrsbdbz  TEXT COLLATE NOCASE,
    fzrzc     TEXT COLLATE NOCASE,
    fzrzcdm   TEXT COLLATE NOCASE,
    fzrdzsj   TEXT COLLATE NOCASE,
    fzryjfx   TEXT COLLATE NOCASE,
    fzrlxdh   TEXT COLLATE NOCASE,
    fzrszxs   TEXT COLLATE NOCASE,
    xm1       TEXT COLLATE NOCASE,
    nl1       REAL,
    zc1       TEXT COLLATE NOCASE,
    xw1       TEXT COLLATE NOCASE,
    szdw1     TEXT COLLATE NOCASE,
    xmfg1     TEXT COLLATE NOCASE,
    zcdm1     TEXT COLLATE NOCASE,
    xm2       TEXT COLLATE NOCASE,
    nl2       REAL,
    zc2       TEXT COLLATE NOCASE,
    xw2       TEXT COLLATE NOCASE,
    szdw2     TEXT COLLATE NOCASE,
    xmfg2     TEXT COLLATE NOCASE,
    zcdm2     TEXT COLLATE NOCASE,
    xm3       TEXT COLLATE NOCASE,
    nl3       REAL,
    zc3       TEXT COLLATE NOCASE,
    xw3       TEXT COLLATE NOCASE,
    szdw3     TEXT COLLATE NOCASE,
    xmfg3     TEXT COLLATE NOCASE,
    zcdm3     TEXT COLLATE NOCASE,
    xm4       TEXT COLLATE NOCASE,
    nl4       REAL,
    zc4       TEXT COLLATE NOCASE,
    xw4       TEXT COLLATE NOCASE,
    szdw4     TEXT COLLATE NOCASE,
    xmfg4     TEXT COLLATE NOCASE,
    zcdm4     TEXT COLLATE NOCASE,
    xm5       TEXT COLLATE NOCASE,
    nl5       REAL,
    zc5       TEXT COLLATE NOCASE,
    xw5       TEXT COLLATE NOCASE,
    szdw5     TEXT COLLATE NOCASE,
    xmfg5     TEXT COLLATE NOCASE,
    zcdm5     TEXT COLLATE NOCASE,
    xm6       TEXT COLLATE NOCASE,
    nl6       REAL,
    zc6       TEXT COLLATE NOCASE,
    xw6       TEXT COLLATE NOCASE,
    szdw6     TEXT COLLATE NOCASE,
    xmfg6     TEXT COLLATE NOCASE,
    zcdm6     TEXT COLLATE NOCASE,
    xm7       TEXT COLLATE NOCASE,
    nl7       REAL,
    zc7       TEXT COLLATE NOCASE,
    xw7       TEXT COLLATE NOCASE,
    szdw7     TEXT COLLATE NOCASE,
    xmfg7     TEXT COLLATE NOCASE,
    zcdm7     TEXT COLLATE NOCASE,
    xm8       TEXT COLLATE NOCASE,
    nl8       REAL,
    zc8       TEXT COLLATE NOCASE,
    xw8       TEXT COLLATE NOCASE,
    szdw8     TEXT COLLATE NOCASE,
    xmfg8     TEXT COLLATE NOCASE,
    zcdm8     TEXT COLLATE NOCASE,
    zrs       REAL,
    gjrs      REAL,
    zjrs      REAL,
    cjrs      REAL,
    bshrs     REAL,
    bssrs     REAL,
    sssrs     REAL,
    cjdws     REAL,
    yjnrzy    TEXT COLLATE NOCASE,
    yqcg      TEXT COLLATE NOCASE,
    nf1       TEXT COLLATE NOCASE,
    jdap1     TEXT COLLATE NOCASE,
    nf2       TEXT COLLATE NOCASE,
    jdap2     TEXT COLLATE NOCASE,
    nf3       TEXT COLLATE NOCASE,
    jdap3     TEXT COLLATE NOCASE,
    hzdw      TEXT COLLATE NOCASE,
    ztz       REAL,
    xxzc      REAL,
    hzdwtz    REAL,
    yhdk      REAL,
    jytbk     REAL,
    jyje      REAL,
    pzje      REAL,
    nd        TEXT COLLATE NOCASE
);

-- Approved projects chosen for a mid-term report: one row per project and year.
CREATE TABLE xmpz (
    xmbh  TEXT COLLATE NOCASE, -- approval number
    pzje  REAL,                -- approved amount, 10,000 yuan
    xmmc  TEXT COLLATE NOCASE, -- project name
    xmfzr TEXT COLLATE NOCASE, -- leader
    szdw  TEXT COLLATE NOCASE, -- leader's unit
    ssxk  TEXT COLLATE NOCASE, -- subject code
    xkmc  TEXT COLLATE NOCASE, -- subject name
    qsny  TEXT COLLATE NOCASE, -- start year-month
    zzny  TEXT COLLATE NOCASE, -- end year-month
    xmlb  TEXT COLLATE NOCASE, -- category text
    zqnbz TEXT COLLATE NOCASE, -- the bz of the approved row
    nd    TEXT COLLATE NOCASE, -- year of the mid-term report, four digits
    jzpj  TEXT COLLATE NOCASE  -- progress evaluation
);

-- Expert scoring. sh (projects to be scored) and xkhf (the subject groups of a
-- year) are only read by this program.
CREATE TABLE sh (
    SSXK  TEXT COLLATE NOCASE, -- subject code
    XMBH  TEXT COLLATE NOCASE, -- project number
    XMFZR TEXT COLLATE NOCASE, -- leader
    XMMC  TEXT COLLATE NOCASE, -- project name
    SZDW  TEXT COLLATE NOCASE  -- leader's unit
);

CREATE TABLE xkhf (
    ND    TEXT COLLATE NOCASE, -- year, four digits
    ZM    TEXT COLLATE NOCASE, -- group name
    XKZDM TEXT COLLATE NOCASE  -- the subject codes of the group, run together
);

-- Scores: the scratch rows of the group being scored (zjdfcopy) and the stored
-- scores (zjdf). The two keep the same columns in the same order, so a row moves
-- between them whole.
CREATE TABLE zjdfcopy (
    XMBH  TEXT COLLATE NOCASE, -- project number
    XMMC  TEXT COLLATE NOCASE, -- project name
    XMFZR TEXT COLLATE NOCASE, -- leader
    FS1   TEXT COLLATE NOCASE, -- expert A: score as typed
    YJ1   TEXT COLLATE NOCASE, -- "1" when the expert takes part, "0" when not
    FS2   TEXT COLLATE NOCASE, -- expert B
    YJ2   TEXT COLLATE NOCASE,
    FS3   TEXT COLLATE NOCASE, -- expert C
    YJ3   TEXT COLLATE NOCASE,
    FS4   TEXT COLLATE NOCASE, -- expert D
    YJ4   TEXT COLLATE NOCASE,
    FS5   TEXT COLLATE NOCASE, -- expert E
    YJ5   TEXT COLLATE NOCASE,
    FS6   TEXT COLLATE NOCASE, -- expert F
    YJ6   TEXT COLLATE NOCASE,
    SZDW  TEXT COLLATE NOCASE, -- leader's unit
    SSXK  TEXT COLLATE NOCASE, -- not filled by this program; travels with the row
    ND    TEXT COLLATE NOCASE  -- as SSXK
);

CREATE TABLE zjdf (
    XMBH  TEXT COLLATE NOCASE,
    XMMC  TEXT COLLATE NOCASE,
    XMFZR TEXT COLLATE NOCASE,
    FS1   TEXT COLLATE NOCASE,
    YJ1   TEXT COLLATE NOCASE,
    FS2   TEXT COLLATE NOCASE,
    YJ2   TEXT COLLATE NOCASE,
    FS3   TEXT COLLATE NOCASE,
    YJ3   TEXT COLLATE NOCASE,
    FS4   TEXT COLLATE NOCASE,
    YJ4   TEXT COLLATE NOCASE,
    FS5   TEXT COLLATE NOCASE,
    YJ5   TEXT COLLATE NOCASE,
    FS6   TEXT COLLATE NOCASE,
    YJ6   TEXT COLLATE NOCASE,
    SZDW  TEXT COLLATE NOCASE,
    SSXK  TEXT COLLATE NOCASE,
    ND    TEXT COLLATE NOCASE
);

-- Completion reports: one row per project, no key; the window writes the columns
-- in this order and the submission files carry them in it. "as" and "to" are SQL
-- keywords and are quoted wherever the program names them.
CREATE TABLE xmjt (
    zqnbz   TEXT COLLATE NOCASE, -- talent-plan mark
    xmlb    TEXT COLLATE NOCASE, -- category text
    xmbh    TEXT COLLATE NOCASE, -- approval number
    xmmc    TEXT COLLATE NOCASE, -- project name
    xmfzr   TEXT COLLATE NOCASE, -- leader
    szdw    TEXT COLLATE NOCASE, -- undertaking unit
    fzrzc   TEXT COLLATE NOCASE, -- leader's title name
    fzrzcdm TEXT COLLATE NOCASE, -- its code
    fzrxw   TEXT COLLATE NOCASE, -- final degree
    fzrcjsj TEXT COLLATE NOCASE, -- months on the project, digits
    pa      TEXT COLLATE NOCASE, -- planned completion, year and month
    fa      TEXT COLLATE NOCASE, -- actual completion
    fh      REAL,                -- funds granted, 10,000 yuan
    ff      REAL,                -- funds spent
    au      REAL,                -- units: universities
    ats     REAL,                -- research institutes
    ae      REAL,                -- enterprises
    ao      REAL,                -- others
    at      REAL,                -- people: total
    aha     REAL,                -- senior
    ahb     REAL,                -- associate senior
    am      REAL,                -- intermediate
    al      REAL,                -- junior
    ah      REAL,                -- postdoctoral
    ab      REAL,                -- doctoral students
    "as"    REAL,                -- master's students
    picr    REAL,                -- publications: conference, book and journal counts
    pncr    REAL,
    pics    REAL,
    pncs    REAL,
    pibp    REAL,
    pnbp    REAL,
    pibf    REAL,
    pnbf    REAL,
    pjn     REAL,
    pji     REAL,
    pjei    REAL,
    pjsci   REAL,
    pjssci  REAL,
    pjistp  REAL,
    pappv   REAL,                -- results: patents, appraisals, other results
    paupv   REAL,
    pappp   REAL,
    paupp   REAL,
    pappd   REAL,
    paupd   REAL,
    psa     REAL,
    psb     REAL,
    psc     REAL,
    psd     REAL,
    pot     REAL,
    pop     REAL,
    pod     REAL,
    poa     REAL,
    pom     REAL,
    tnn1    REAL,                -- awards: national, provincial, bureau, international, other
    tnn2    REAL,
    tnt1    REAL,
    tnt2    REAL,
    tnv1    REAL,
    tnv2    REAL,
    tp1     REAL,
    tp2     REAL,
    tp3     REAL,
    tb1     REAL,
    tb2     REAL,
    tb3     REAL,
    ti      REAL,
    "to"    REAL,
    ph      REAL,                -- trained: postdoctoral
    pb      REAL,                -- doctors
    ps      REAL,                -- masters
    pss     REAL,                -- fixed equipment, units
    psz     REAL,                -- its value, 10,000 yuan
    ptg     REAL,                -- results put into use
    pxy     REAL,                -- economic benefit, 10,000 yuan
    abst    TEXT COLLATE NOCASE, -- summary of the work
    key1    TEXT COLLATE NOCASE, -- subject words
    key2    TEXT COLLATE NOCASE,
    key3    TEXT COLLATE NOCASE
);
