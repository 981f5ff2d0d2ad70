-- Information database (local mode): subjects, registration records, results, saved progress.
-- The program never creates tables; the start command and the test fixtures run this file
-- to make an empty vuvurIDIROV.db.

CREATE TABLE username (
    id        VARCHAR(10) NOT NULL PRIMARY KEY CHECK (length(id) <= 10),
    name      VARCHAR(50),
    xb        VARCHAR(2),
    csdate    DATE,
    tel       VARCHAR(30),
    TESTGROU  VARCHAR(10),
    address   VARCHAR(100),
    name1     VARCHAR(50),
    ral1      VARCHAR(10),
    tel1      VARCHAR(30),
    name2     VARCHAR(50),
    ral2      VARCHAR(10),
    tel2      VARCHAR(30)
);

-- "INT", not "INTEGER": an INTEGER PRIMARY KEY would be SQLite's row number and quietly number
-- a row saved without an id; the program allocates result ids itself.
CREATE TABLE jg (
    id          INT NOT NULL PRIMARY KEY,
    userid      VARCHAR(10),
    username    VARCHAR(50),
    hmna        VARCHAR(100),
    timeing     DATETIME,
    sumcount    DOUBLE,
    type        TEXT,
    avgcount    DOUBLE,
    maxavgcount DOUBLE,
    tmc         INTEGER,
    bgr         VARCHAR(50)
);
CREATE INDEX jg_userid ON jg (userid);
CREATE INDEX jg_hmna ON jg (hmna);

CREATE TABLE jgmx (
    id       INTEGER PRIMARY KEY AUTOINCREMENT,
    jgid     INTEGER NOT NULL,
    hmna     VARCHAR(100),
    sumcount DOUBLE,
    avgcount DOUBLE,
    type     TEXT
);
CREATE INDEX jgmx_jgid ON jgmx (jgid);

CREATE TABLE jgmxx (
    id    INTEGER PRIMARY KEY AUTOINCREMENT,
    jgid  INTEGER NOT NULL,
    topid VARCHAR(20),
    sorc  DOUBLE
);
CREATE INDEX jgmxx_jgid ON jgmxx (jgid);

CREATE TABLE testsave (
    hmid   INTEGER NOT NULL,
    userid VARCHAR(10) NOT NULL,
    topid  INTEGER NOT NULL,
    ch     VARCHAR(10)
);
CREATE INDEX testsave_hmid_userid ON testsave (hmid, userid);

CREATE TABLE usebb (
    id     INTEGER PRIMARY KEY AUTOINCREMENT,
    mzh    VARCHAR(20) NOT NULL UNIQUE,
    name   VARCHAR(50),
    xb     VARCHAR(2),
    csdate DATE,
    hwno   INTEGER
);
CREATE INDEX usebb_hwno ON usebb (hwno);

CREATE TABLE usekb (
    id     INTEGER PRIMARY KEY AUTOINCREMENT,
    mzh    VARCHAR(20),
    hwno   INTEGER,
    hwdate DATE,
    hcm    VARCHAR(20),
    wkg    VARCHAR(20),
    cx     VARCHAR(10),
    addr   VARCHAR(100),
    tel    VARCHAR(30)
);
CREATE INDEX usekb_mzh_hwno ON usekb (mzh, hwno);

CREATE TABLE usexg (
    id   INTEGER PRIMARY KEY AUTOINCREMENT,
    mzh  VARCHAR(20),
    hwno INTEGER,
    name VARCHAR(50),
    ral  VARCHAR(10),
    tel  VARCHAR(30)
);
CREATE INDEX usexg_mzh_hwno ON usexg (mzh, hwno);

CREATE TABLE usexx (
    id   INTEGER PRIMARY KEY AUTOINCREMENT,
    mzh  VARCHAR(20),
    hwno INTEGER,
    hmlr VARCHAR(200),
    hmjg TEXT
);
CREATE INDEX usexx_mzh_hwno ON usexx (mzh, hwno);
