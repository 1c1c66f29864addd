# (filled in by its module)
