// Fakes are added beside this file as the interfaces appear.
