// Placeholder until the routine lands.
