-- Wrong passwords, counted by the user name typed (whether or not such an
-- account exists, so that the count tells nothing of the accounts): the
-- fifth within fifteen minutes locks that name (Locks = 1) for fifteen
-- minutes from then. Failed_At is the database's clock, yyyy-mm-dd hh:mm:ss.
CREATE TABLE T_Sign_In_Failure (
  Username TEXT NOT NULL,
  Failed_At TEXT NOT NULL,
  Locks INTEGER NOT NULL DEFAULT 0
);

CREATE INDEX T_Sign_In_Failure_User ON T_Sign_In_Failure (Username, Failed_At);
