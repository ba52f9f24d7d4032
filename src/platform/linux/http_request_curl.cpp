// Placeholder until the back end lands.
