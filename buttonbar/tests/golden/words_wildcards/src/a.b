a.b
