-- What each registration run changed, so that a run can be taken back (DesfazCadAuto).
-- Plain SQL that runs unchanged on SQLite and PostgreSQL.

-- The run that last wrote the pair (LOGCADAUTO.NRLOGCADAUTO). Null for a pair written
-- before this version, or put back by an undo to such a state.
ALTER TABLE FORNATENDE ADD COLUMN NRLOGCADAUTO INTEGER;

-- QTNOVOS / QTSUBSTITUIDOS: the pairs the run inserted and the pairs it replaced. Both
-- are null for runs logged before this version: those have no history and cannot be
-- undone. DTDESFEITO / NMUSUDESFEZ: when and by whom the run was undone (null while it
-- is not).
ALTER TABLE LOGCADAUTO ADD COLUMN QTNOVOS INTEGER;
ALTER TABLE LOGCADAUTO ADD COLUMN QTSUBSTITUIDOS INTEGER;
ALTER TABLE LOGCADAUTO ADD COLUMN DTDESFEITO TIMESTAMP;
ALTER TABLE LOGCADAUTO ADD COLUMN NMUSUDESFEZ VARCHAR(30);

-- The scope of each run: the suppliers and the branches it was given. Its pairs are
-- every supplier with every branch.
CREATE TABLE LOGCADAUTOFORN (
    NRLOGCADAUTO INTEGER     NOT NULL,
    CDFORNECED   VARCHAR(21) NOT NULL,
    CONSTRAINT PK_LOGCADAUTOFORN PRIMARY KEY (NRLOGCADAUTO, CDFORNECED)
);

CREATE TABLE LOGCADAUTOFIL (
    NRLOGCADAUTO INTEGER    NOT NULL,
    CDFILIAL     VARCHAR(4) NOT NULL,
    CONSTRAINT PK_LOGCADAUTOFIL PRIMARY KEY (NRLOGCADAUTO, CDFILIAL)
);

-- The pairs a run replaced, with their values before the run; NRLOGCADAUTOANT is the
-- run that had written the pair before (null: none). A pair of the scope that is not
-- here was inserted by the run. Written once per run, read back only by its undo: one
-- index on the run number, no key per pair and no foreign keys, so that keeping the
-- history costs one appended row per replaced pair.
CREATE TABLE LOGCADAUTOSUBST (
    NRLOGCADAUTO    INTEGER     NOT NULL,
    CDFORNECED      VARCHAR(21) NOT NULL,
    CDFILIAL        VARCHAR(4)  NOT NULL,
    CDPERIENTR      VARCHAR(2),
    QTDIASPRAZEXPED INTEGER     NOT NULL,
    DTULTALTER      TIMESTAMP   NOT NULL,
    NMUSUULTALTER   VARCHAR(30) NOT NULL,
    NRLOGCADAUTOANT INTEGER
);
CREATE INDEX IX_LOGCADAUTOSUBST_EXECUCAO ON LOGCADAUTOSUBST (NRLOGCADAUTO);
