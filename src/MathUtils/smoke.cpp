int pellanSmoke() { return 1; }
