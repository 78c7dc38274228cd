-- Users of the application server over HTTP and their sessions.
-- Plain SQL that runs unchanged on SQLite and PostgreSQL.

-- DSHASHSENHA: the password as an Argon2id encoded hash (algorithm, parameters, random
-- salt and hash in one text); the password itself is never stored.
CREATE TABLE USUARIO (
    NMUSUARIO   VARCHAR(30)  NOT NULL,
    DSHASHSENHA VARCHAR(200) NOT NULL,
    DTCRIACAO   TIMESTAMP    NOT NULL,
    CONSTRAINT PK_USUARIO PRIMARY KEY (NMUSUARIO)
);

-- One row per login. DSHASHTOKEN: the SHA-256 of the token handed to the client (64 hex
-- digits); the token itself is never stored. NREXPIRACAO: when the session ends, in
-- seconds since 1970-01-01 UTC, so that every app server sharing the database compares
-- the same numbers whatever its time zone.
CREATE TABLE SESSAO (
    DSHASHTOKEN VARCHAR(64) NOT NULL,
    NMUSUARIO   VARCHAR(30) NOT NULL,
    DTCRIACAO   TIMESTAMP   NOT NULL,
    NREXPIRACAO BIGINT      NOT NULL,
    CONSTRAINT PK_SESSAO PRIMARY KEY (DSHASHTOKEN),
    CONSTRAINT FK_SESSAO_USUARIO FOREIGN KEY (NMUSUARIO) REFERENCES USUARIO (NMUSUARIO)
);
CREATE INDEX IX_SESSAO_EXPIRACAO ON SESSAO (NREXPIRACAO);
