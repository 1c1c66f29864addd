# The shipped files' release shape (included once the Stats target exists).
