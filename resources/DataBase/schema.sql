-- Tables of the KIVO database. Plain SQL that both SQLite (single-user edition) and PostgreSQL
-- (client/server edition, through ODBC) accept: unquoted lower-case names, so that the program's
-- statements find them whatever case they write.

-- Operators on whose behalf searches are made.
CREATE TABLE ope (
    ocod   TEXT NOT NULL PRIMARY KEY,
    orag   TEXT,
    opiva  TEXT,
    ocf    TEXT,
    oindi  TEXT,
    ocap   TEXT,
    oloca  TEXT,
    opr    TEXT
);

-- Hits of each search run. idricp is a whole number so that "ORDER BY IDRICP" puts 10 after 9.
CREATE TABLE indice (
    idric   TEXT,
    idricp  INTEGER,
    db      TEXT,
    nome    TEXT,
    dbid    TEXT
);
CREATE INDEX indice_idric ON indice (idric);

-- Detail lines of a hit, one set per detail request.
CREATE TABLE dettaglio (
    idric   TEXT,
    idricp  INTEGER,
    tr      TEXT,
    testo   TEXT
);
CREATE INDEX dettaglio_idric ON dettaglio (idric);
