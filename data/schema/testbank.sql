-- Test bank (sysinfodb.db): catalogue, items, factors, norms and conversion tables.
-- Written by the bank compiler only; the program opens the file read-only.

CREATE TABLE treename (
    id       INTEGER NOT NULL PRIMARY KEY,
    parentid INTEGER,
    name     VARCHAR(100),
    chc      INTEGER,
    maxavg   INTEGER,
    "max"    INTEGER,
    "min"    INTEGER,
    xb       VARCHAR(4),
    hmjg     TEXT
);

CREATE TABLE toplr (
    hmid    INTEGER NOT NULL,
    topid   INTEGER NOT NULL,
    toplr   TEXT,
    chc     INTEGER,
    A TEXT, B TEXT, C TEXT, D TEXT, E TEXT, f TEXT, g TEXT, h TEXT, i TEXT, j TEXT,
    ac DOUBLE, bc DOUBLE, cc DOUBLE, dc DOUBLE, ec DOUBLE, fc DOUBLE, gc DOUBLE, hc DOUBLE, ic DOUBLE, jc DOUBLE,
    picture BLOB,
    PRIMARY KEY (hmid, topid)
);

CREATE TABLE hmez (
    id     INTEGER NOT NULL PRIMARY KEY,
    hmid   INTEGER NOT NULL,
    ez     VARCHAR(100),
    topid  TEXT,
    agemin INTEGER,
    agemax INTEGER,
    xb     VARCHAR(4)
);
CREATE INDEX hmez_hmid ON hmez (hmid);

CREATE TABLE account (
    id        INTEGER PRIMARY KEY AUTOINCREMENT,
    hmid      INTEGER NOT NULL,
    name      VARCHAR(100),
    "min"     DOUBLE,
    "max"     DOUBLE,
    agemin    INTEGER,
    agemax    INTEGER,
    xb        VARCHAR(4),
    "explain" TEXT
);
CREATE INDEX account_hmid_name ON account (hmid, name);

CREATE TABLE Convert_MMPI (
    User_Sex        VARCHAR(2),
    Factor_Number   INTEGER,
    Original_Score  DOUBLE,
    CONVERTED_SCORE DOUBLE
);
CREATE INDEX convert_mmpi_key ON Convert_MMPI (User_Sex, Factor_Number, Original_Score);

CREATE TABLE AverageSD (
    age     INTEGER,
    gender  VARCHAR(2),
    average INTEGER,
    sd      DOUBLE
);
