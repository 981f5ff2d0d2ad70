-- Network information database on PostgreSQL: run with psql as a user who may create
-- databases (the network initialisation page does this). Creates the catalog and its tables.

CREATE DATABASE "vuvurIDIROV" ENCODING 'UTF8' TEMPLATE template0;
\connect "vuvurIDIROV"

CREATE TABLE username (
    id        VARCHAR(10) NOT NULL PRIMARY KEY,
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

CREATE TABLE jg (
    id          INTEGER NOT NULL PRIMARY KEY,
    userid      VARCHAR(10),
    username    VARCHAR(50),
    hmna        VARCHAR(100),
    timeing     TIMESTAMP,
    sumcount    DOUBLE PRECISION,
    type        TEXT,
    avgcount    DOUBLE PRECISION,
    maxavgcount DOUBLE PRECISION,
    tmc         INTEGER,
    bgr         VARCHAR(50)
);
CREATE INDEX jg_userid ON jg (userid);
CREATE INDEX jg_hmna ON jg (hmna);

CREATE TABLE jgmx (
    id       SERIAL PRIMARY KEY,
    jgid     INTEGER NOT NULL,
    hmna     VARCHAR(100),
    sumcount DOUBLE PRECISION,
    avgcount DOUBLE PRECISION,
    type     TEXT
);
CREATE INDEX jgmx_jgid ON jgmx (jgid);

CREATE TABLE jgmxx (
    id    SERIAL PRIMARY KEY,
    jgid  INTEGER NOT NULL,
    topid VARCHAR(20),
    sorc  DOUBLE PRECISION
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
    id     SERIAL PRIMARY KEY,
    mzh    VARCHAR(20) NOT NULL UNIQUE,
    name   VARCHAR(50),
    xb     VARCHAR(2),
    csdate DATE,
    hwno   INTEGER
);
CREATE INDEX usebb_hwno ON usebb (hwno);

CREATE TABLE usekb (
    id     SERIAL PRIMARY KEY,
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
    id   SERIAL PRIMARY KEY,
    mzh  VARCHAR(20),
    hwno INTEGER,
    name VARCHAR(50),
    ral  VARCHAR(10),
    tel  VARCHAR(30)
);
CREATE INDEX usexg_mzh_hwno ON usexg (mzh, hwno);

CREATE TABLE usexx (
    id   SERIAL PRIMARY KEY,
    mzh  VARCHAR(20),
    hwno INTEGER,
    hmlr VARCHAR(200),
    hmjg TEXT
);
CREATE INDEX usexx_mzh_hwno ON usexx (mzh, hwno);

-- The statistics statements round averages with round(x, 1), which PostgreSQL provides for
-- numeric values only; this gives floating-point values the same function, rounding half
-- away from zero like the local database.
CREATE FUNCTION round(double precision, integer) RETURNS double precision
    AS 'select round($1::numeric, $2)::double precision' LANGUAGE sql IMMUTABLE STRICT;

-- The registration query offers "contains" on the visit number, an integer column: let LIKE
-- compare its decimal text, as the local database does.
CREATE FUNCTION integer_like(integer, text) RETURNS boolean
    AS 'select $1::text like $2' LANGUAGE sql IMMUTABLE STRICT;
CREATE FUNCTION integer_not_like(integer, text) RETURNS boolean
    AS 'select $1::text not like $2' LANGUAGE sql IMMUTABLE STRICT;
CREATE OPERATOR ~~ (LEFTARG = integer, RIGHTARG = text, FUNCTION = integer_like, NEGATOR = !~~);
CREATE OPERATOR !~~ (LEFTARG = integer, RIGHTARG = text, FUNCTION = integer_not_like, NEGATOR = ~~);
